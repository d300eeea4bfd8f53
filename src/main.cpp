#include "CommandLine.h"
#include "Console.h"
#include "MainWindow.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Answered before the application object exists: it would need a display.
    CommandLine commandLine(argc, argv);
    const QString information = commandLine.Information();
    if (!information.isNull()) {
        if (std::fputs(information.toLocal8Bit().constData(), stdout) >= 0 &&
            std::fflush(stdout) == 0)
            return 0;
        Console::PrintError(QStringLiteral("pixmint"),
                            QStringLiteral("standard output: the text could not be written"));
        return 2;
    }
    if (const Status read = commandLine.Read(); !read) {
        Console::PrintError(QStringLiteral("pixmint"), read.Reason());
        return 2;
    }

    // The application object takes its own options out of argv and lowers the count.
    int toolkitArgumentCount = commandLine.ToolkitArgumentCount();
    const auto application = CommandLine::StartApplication(toolkitArgumentCount, argv);
    // Installed after the application has read its arguments, so that a -style option
    // does not change the editor's look.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    MainWindow window;
    commandLine.Show(window);
    return application->exec();
}

#include "CommandLine.h"
#include "MainWindow.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char* argv[])
{
    CommandLine commandLine(argc, argv);
    // Answered before the application object exists: it would need a display.
    const QString information = commandLine.Information();
    if (!information.isNull()) {
        if (std::fputs(information.toLocal8Bit().constData(), stdout) >= 0 &&
            std::fflush(stdout) == 0)
            return 0;
        std::fputs("pixmint: standard output: the text could not be written\n", stderr);
        return 2;
    }

    // The application object takes its own options out of argv and lowers the count.
    int toolkitArgumentCount = commandLine.ToolkitArgumentCount();
    QApplication application(toolkitArgumentCount, argv);
    // Installed after the application has read its arguments, so that a -style option
    // does not change the editor's look.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QString error;
    if (!commandLine.Read(toolkitArgumentCount, argv, &error)) {
        std::fprintf(stderr, "pixmint: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    MainWindow window;
    commandLine.Show(window);
    return application.exec();
}

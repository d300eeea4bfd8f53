// Starts the editor's window, or one of two bare Qt Widgets windows built the same way (an
// empty one, and one that shows a line of text and so loads the fonts as every program
// with text does), and ends as soon as the first frame is painted, printing the resident
// memory at that moment. The benchmark driver times the whole process.
#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Resident and peak resident memory of this process, in KiB.
QByteArray MemoryStatus()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return "VmRSS: 0 kB";
    QByteArray lines;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:") || line.startsWith("VmHWM:"))
            lines += line.simplified() + ' ';
    return lines.trimmed();
}

class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !_seen) {
            _seen = true;
            // Once the event loop is back, the whole frame has been painted and flushed.
            QTimer::singleShot(0, [] {
                std::printf("%s\n", MemoryStatus().constData());
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool _seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "bare";
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    FirstFrame firstFrame;
    application.installEventFilter(&firstFrame);

    std::unique_ptr<QMainWindow> window;
    if (std::strcmp(mode, "editor") == 0) {
        window = std::make_unique<MainWindow>();
    } else {
        window = std::make_unique<QMainWindow>();
        if (std::strcmp(mode, "text") == 0)
            window->setCentralWidget(new QLabel(QStringLiteral("C27  A")));
        else
            window->setCentralWidget(new QWidget);
        window->resize(530, 447);
    }
    window->show();
    return application.exec();
}

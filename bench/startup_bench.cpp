// Measures the start: from the process's start to the first paint of the main
// window, with the real words.mdb beside the program. Run it on a display
// (Xvfb will do); it prints one line and quits.

#include "platform/QtPrompts.h"
#include "sources/WebPageFetcher.h"
#include "startup/MainWindow.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Seconds since the process started, from /proc (resolution one clock tick).
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return up - startTicks / double(sysconf(_SC_CLK_TCK));
}

class FirstPaint : public QObject
{
public:
    QElapsedTimer sinceMain;
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen && event->type() == QEvent::Paint && watched->objectName() == QLatin1String("frmMain")) {
            seen = true;
            const double fromMain = sinceMain.nsecsElapsed() / 1e6;
            std::printf("first paint of the main window: %.1f ms after main(), %.0f ms after process start\n",
                        fromMain, secondsSinceProcessStart() * 1000);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    FirstPaint watcher;
    watcher.sinceMain.start();
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penrook"));
    app.installEventFilter(&watcher);
    QtPrompts prompts;
    StartUp startUp(QCoreApplication::applicationDirPath(), prompts);
    startUp.run();
    return app.exec();
}

// Checks on a real X server (an Xvfb of its own): the shape a window gets, seen
// from outside the program, and dragging the main window by its body with and
// without a window manager.

#include "fixtures/FakePrompts.h"
#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "skin/TransForm.h"
#include "startup/MainWindow.h"
#include "startup/WordStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// The picture: a dark ellipse with a square hole, on the mask grey.
QImage picture()
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(10, 8, 100, 64);
    p.fillRect(50, 30, 20, 20, QColor(192, 192, 192));
    return image;
}

class PictureWindow : public QWidget
{
public:
    PictureWindow() : QWidget(nullptr, Qt::FramelessWindowHint) { setProperty("picture", picture()); }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, picture()); }
};

// Runs a command to the end while the program keeps handling its events.
QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return QStringLiteral("<%1 did not start>").arg(program);
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 20000)
        QTest::qWait(20);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Presses on `at` (screen pixels), moves by `by` in small steps, as a hand
// would, and lets go.
void drag(QPoint at, QPoint by)
{
    QStringList args{"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.2", "mousedown", "1",
                     "sleep", "0.2"};
    for (int step = 1; step <= 20; ++step)
        args << "mousemove" << QString::number(at.x() + by.x() * step / 20)
             << QString::number(at.y() + by.y() * step / 20) << "sleep" << "0.03";
    args << "mouseup" << "1" << "sleep" << "0.3";
    run(QStringLiteral("xdotool"), args);
}

} // namespace

class TestSkinX11 : public QObject
{
    Q_OBJECT

    // Under a window manager, `askManager` also reads what it lets the window do.
    void dragsTheMainWindowByItsBody(bool askManager = false)
    {
        WordStore store;
        FakePrompts prompts;
        ClockDrawSource draws;
        QTemporaryDir program;
        ReprintRun reprints(store, draws, program.path());
        MainWindow window(reprints, prompts, [] {}, program.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);
        if (askManager) {
            // Moving and minimising, never maximising.
            const QString actions =
                run(QStringLiteral("xprop"), {"-id", QString::number(window.winId()), "_NET_WM_ALLOWED_ACTIONS"});
            QVERIFY2(actions.contains(QStringLiteral("_NET_WM_ACTION_MOVE"))
                         && actions.contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE"))
                         && !actions.contains(QStringLiteral("MAXIMIZE")) && !actions.contains(QStringLiteral("RESIZE")),
                     qPrintable(actions));
        }
        const QPoint before = window.frameGeometry().topLeft();
        // The footer strip between the help picture and Previous is bare body.
        drag(window.mapToGlobal(QPoint(300, 364)), QPoint(80, 40));
        // The window starts to follow once the pointer has moved past the drag
        // distance, and ends where the pointer went, those first pixels too.
        const QPoint wanted = before + QPoint(80, 40);
        QTRY_VERIFY2_WITH_TIMEOUT((window.frameGeometry().topLeft() - wanted).manhattanLength() <= 2,
                                  qPrintable(QStringLiteral("at %1,%2, wanted %3,%4")
                                                 .arg(window.frameGeometry().x()).arg(window.frameGeometry().y())
                                                 .arg(wanted.x()).arg(wanted.y())),
                                  5000);
    }

private slots:
    void shapedWindowShowsItsOutline()
    {
        FakePrompts prompts;
        PictureWindow window;
        TransForm skin(&window, prompts);
        window.move(200, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);

        // The X server's own account of the window's shape.
        const QString info = run(QStringLiteral("xwininfo"),
                                 {"-shape", "-id", QString::number(window.winId())});
        QVERIFY2(info.contains(QStringLiteral("Window is shaped")) || info.contains(QStringLiteral("shape extents")),
                 qPrintable(info));
        const QRegularExpressionMatch extents =
            QRegularExpression(QStringLiteral("Window shape extents:\\s+(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)")).match(info);
        QVERIFY2(extents.hasMatch(), qPrintable(info));
        QCOMPARE(QRect(extents.captured(3).toInt(), extents.captured(4).toInt(), extents.captured(1).toInt(),
                       extents.captured(2).toInt()),
                 TransForm::shapeOf(picture(), TransForm::DefaultMaskColor).boundingRect());

        // On the screen: the ellipse shows, the hole and the corners show what lies behind.
        const QImage screen = window.screen()->grabWindow(0).toImage();
        const QPoint origin = window.mapToGlobal(QPoint(0, 0));
        QCOMPARE(QColor(screen.pixel(origin + QPoint(20, 40))), QColor(0, 0, 128));
        QVERIFY(QColor(screen.pixel(origin + QPoint(60, 40))) != QColor(192, 192, 192));
        QVERIFY(QColor(screen.pixel(origin + QPoint(1, 1))) != QColor(192, 192, 192));
    }

    void mainWindowDragsWithoutAWindowManager() { dragsTheMainWindowByItsBody(); }

    void mainWindowDragsUnderAWindowManager()
    {
        QProcess manager;
        manager.start(QStringLiteral("openbox"), {});
        QVERIFY2(manager.waitForStarted(5000), "openbox is not installed");
        QTest::qWait(1000);
        dragsTheMainWindowByItsBody(true);
        manager.terminate();
        manager.waitForFinished(5000);
    }
};

int main(int argc, char *argv[])
{
    // A display of our own, on the first free number.
    int display = 90;
    while (display < 200 && (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display))
                             || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display))))
        ++display;
    const QByteArray name = ":" + QByteArray::number(display);
    pid_t server = 0;
    const char *serverArgs[] = {"Xvfb", name.constData(), "-screen", "0", "1280x800x24", "-nolisten", "tcp", nullptr};
    if (posix_spawnp(&server, "Xvfb", nullptr, nullptr, const_cast<char **>(serverArgs), environ) != 0) {
        std::fprintf(stderr, "Xvfb could not be started\n");
        return 1;
    }
    for (int wait = 0; wait < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)); ++wait)
        usleep(50000);
    qputenv("DISPLAY", name);
    qputenv("QT_QPA_PLATFORM", "xcb");

    int result;
    {
        QApplication app(argc, argv);
        TestSkinX11 test;
        result = QTest::qExec(&test, argc, argv);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return result;
}

#include "tst_skin_x11.moc"

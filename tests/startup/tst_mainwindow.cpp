#include "fixtures/FakePrompts.h"
#include "fixtures/FixtureDb.h"
#include "platform/ImageButton.h"
#include "startup/MainWindow.h"
#include "startup/StartUp.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

    template<class T = QWidget>
    static T *control(MainWindow *window, const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void startsQuietlyWithAGoodDatabase()
    {
        QTemporaryDir dir;
        makeFixtureDb(dir.path(), {{"happy", {"glad"}}});
        FakePrompts prompts;
        StartUp startUp(dir.path(), prompts);
        startUp.run();
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(startUp.store().isOpen());
        QVERIFY(startUp.mainWindow()->isVisible());
    }

    // A missing, damaged or locked words.mdb is reported once; the window still appears.
    void badDatabaseIsReportedOnceAndTheWindowStillAppears_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<bool>("lock");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing") << QByteArray() << false << "does not exist";
        QTest::newRow("text file renamed") << QByteArray("just some notes\n").repeated(300) << false
                                           << "file is not a database";
        QTest::newRow("locked by another program") << QByteArray("db") << true << "database is locked";
    }
    void badDatabaseIsReportedOnceAndTheWindowStillAppears()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, lock);
        QFETCH(QString, description);
        QTemporaryDir dir;
        SqliteDatabase other;
        if (content == "db") {
            const QString path = makeFixtureDb(dir.path(), {{"happy", {"glad"}}});
            other.open(path, SqliteDatabase::Mode::ReadWrite);
            if (lock)
                QVERIFY(!other.exec(QStringLiteral("begin exclusive; delete from Words;")));
        } else if (!content.isEmpty()) {
            QFile f(dir.filePath(QStringLiteral("words.mdb")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }

        FakePrompts prompts;
        StartUp startUp(dir.path(), prompts);
        startUp.run();

        QCOMPARE(prompts.messages.size(), 1);
        const PromptMessage report = prompts.messages.first();
        const QStringList lines = report.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains(description), qPrintable(lines[0]));
        QVERIFY(QRegularExpression(QStringLiteral("^Contact The Software Vendor at line \\d+$"))
                    .match(lines[1]).hasMatch());
        QCOMPARE(report.style, 0);
        QCOMPARE(report.title, QStringLiteral("Penrook"));

        MainWindow *window = startUp.mainWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->currentStep(), 0);

        // Later queries give their own failure, without a crash; the store shows nothing itself.
        QCOMPARE(startUp.store().SynonymsOf(QStringLiteral("happy")).failure().location,
                 int(WordStore::LocationNotOpen));
        QCOMPARE(prompts.messages.size(), 1);
        if (lock)
            other.exec(QStringLiteral("rollback"));
    }

    void shellIsLaidOutAtItsPlaces()
    {
        QTemporaryDir dir;
        FakePrompts prompts;
        StartUp startUp(dir.path(), prompts);
        startUp.run();
        MainWindow *window = startUp.mainWindow();

        QCOMPARE(window->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillmorph"));
        QCOMPARE(window->size(), QSize(672, 404));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(Qt::white));

        const struct
        {
            const char *name;
            QRect pixels;
            bool visible;
        } places[] = {
            {"webheader", {0, 0, 729, 57}, true},
            {"imgMin", {624, 32, 18, 19}, true},
            {"imgMenu", {0, 56, 670, 28}, true},
            {"imgFooter", {0, 368, 670, 35}, true},
            {"imgExcept", {16, 363, 41, 34}, true},
            {"imgHelp", {64, 363, 41, 34}, true},
            {"imgPrev", {120, 368, 102, 23}, false},
            {"LblPleaseWait", {302, 376, 131, 21}, false},
            {"imgNxt", {536, 368, 102, 23}, true},
            {"imgRestart", {536, 368, 102, 23}, false},
            {"imgClose", {648, 368, 18, 19}, true},
        };
        for (const auto &p : places) {
            QWidget *w = control(window, p.name);
            QCOMPARE(w->geometry(), p.pixels);
            QCOMPARE(w->isVisible(), p.visible);
        }
        QCOMPARE(control<QLabel>(window, "LblPleaseWait")->text(), QStringLiteral("Please Wait ............."));

        // The banner shows our own page at once.
        QVERIFY(control<QTextBrowser>(window, "webheader")->toPlainText().contains(QStringLiteral("Quillmorph")));

        // The step labels: bold, at top 960 twips, only the first one blue.
        const QList<int> lefts = {3, 144, 224, 309, 397, 472, 552, 619};
        for (int step = 0; step < MainWindow::StepCount; ++step) {
            QLabel *label = window->stepLabel(step);
            QCOMPARE(label->pos(), QPoint(lefts[step], 64));
            QVERIFY(label->font().bold());
            QCOMPARE(MainWindow::labelColour(label),
                     step == 0 ? MainWindow::CurrentStepColour : MainWindow::OtherStepColour);
            if (step + 1 < MainWindow::StepCount)
                QVERIFY2(label->geometry().right() < lefts[step + 1], label->objectName().toLatin1());
        }
        QCOMPARE(window->findChildren<ImageButton *>(QStringLiteral("imgSep")).size(), 7);
    }

    void minimiseAndCloseImagesAct()
    {
        QTemporaryDir dir;
        FakePrompts prompts;
        StartUp startUp(dir.path(), prompts);
        startUp.run();
        MainWindow *window = startUp.mainWindow();

        QTest::mouseClick(control(window, "imgMin"), Qt::LeftButton);
        QVERIFY(window->windowState() & Qt::WindowMinimized);
        window->showNormal();

        // A click on imgClose ends the event loop at once, with no question.
        QTimer::singleShot(0, window, [window] {
            QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("imgClose")), Qt::LeftButton);
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(prompts.messages.size(), 1); // only the report of the missing database
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

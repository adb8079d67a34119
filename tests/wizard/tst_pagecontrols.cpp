#include "WizardDriver.h"

#include "wizard/DigitFilter.h"
#include "wizard/WizardPage.h"

#include <sys/wait.h>
#include <unistd.h>


class TestPageControls : public QObject
{
    Q_OBJECT

    // Runs `action` and returns whether it asked for the exclusion editor.
    static bool opensEditor(WizardDriver &d, const std::function<void()> &action)
    {
        const int before = d.exclusionEditorOpened;
        action();
        return d.exclusionEditorOpened == before + 1;
    }

private slots:
    void digitFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        for (int digit = '0'; digit <= '9'; ++digit)
            QTest::addRow("digit %c", digit) << digit << digit;
        QTest::newRow("backspace") << 8 << 8;
        QTest::newRow("enter") << 13 << 13;
        QTest::newRow("full stop") << 46 << 46;
        QTest::newRow("letter") << int('a') << 0;
        QTest::newRow("minus") << int('-') << 0;
        QTest::newRow("blank") << int(' ') << 0;
        QTest::newRow("comma") << int(',') << 0;
    }
    void digitFilter()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        QCOMPARE(DigitFilter(key), result);
    }

    // A mistyped name stops the program there and then, saying what it looked for.
    void aMissingControlStopsAtOnceWithItsName()
    {
        WizardDriver d;
        const auto *page = d.window->findChild<WizardPage *>(QStringLiteral("FraDisplay"));
        QVERIFY(page);
        QVERIFY(page->control<QLineEdit>("TxtBrowseFolder"));
        int output[2];
        QVERIFY(pipe(output) == 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(output[1], STDOUT_FILENO);
            dup2(output[1], STDERR_FILENO);
            qInstallMessageHandler(nullptr); // as the program reports, not as the test log
            page->control<QLineEdit>("txtNoSuchBox");
            _exit(0);
        }
        close(output[1]);
        QByteArray said;
        char buffer[512];
        for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, got);
        close(output[0]);
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY2(WIFSIGNALED(status), "the program went on");
        QVERIFY2(said.contains("txtNoSuchBox") && said.contains(page->objectName().toLatin1()), said.constData());
    }

    void digitBoxesRefuseOtherKeysButNotPaste()
    {
        WizardDriver d;
        for (const char *name : {"TxtReprints", "txtNewContent"}) {
            auto *box = d.get<QLineEdit>(name);
            box->clear();
            QTest::keyClicks(box, QStringLiteral("a1-2 .x5"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClicks(box, QStringLiteral("7"));
            QCOMPARE(box->text(), QStringLiteral("127."));
            box->insert(QStringLiteral("pasted"));
            QCOMPARE(box->text(), QStringLiteral("127pasted."));
        }
    }

    // No single-line box cuts a long paste.
    void lineBoxesTakeLongText()
    {
        WizardDriver d;
        const QString pasted(100000, u'k');
        const QList<QLineEdit *> boxes = d.window->findChildren<QLineEdit *>();
        QVERIFY(boxes.size() >= 15);
        for (QLineEdit *box : boxes) {
            box->clear();
            box->insert(pasted);
            QVERIFY2(box->text().size() == pasted.size(), qPrintable(box->objectName()));
        }
    }

    void keepRowsLockAndMirror()
    {
        WizardDriver d;
        d.type("Txt1", QStringLiteral("cat"));
        d.choose("opt1b"); // choosing keep copies nothing
        QCOMPARE(d.text("TxtTo1"), QString());
        QTest::keyClicks(d.get("Txt1"), QStringLiteral("s"));
        QCOMPARE(d.text("TxtTo1"), QStringLiteral("cats"));
        QTest::keyClicks(d.get("TxtTo1"), QStringLiteral("x")); // locked
        QCOMPARE(d.text("TxtTo1"), QStringLiteral("cats"));
        d.choose("Opt1a"); // change mode keeps the mirrored text, editable
        QTest::keyClicks(d.get("TxtTo1"), QStringLiteral("!"));
        QCOMPARE(d.text("TxtTo1"), QStringLiteral("cats!"));
    }

    void enterWalksTheKeywordRows()
    {
        WizardDriver d;
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.nextUntil(2);
        d.get("Txt1")->setFocus();
        QStringList walk;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            walk << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walk, (QStringList{"TxtTo1", "Txt2", "TxtTo2", "Txt3", "TxtTo3", "Txt4", "TxtTo4", "Txt5",
                                    "TxtTo5", "TxtTo5"}));
    }

    void helpBoxFollowsThePointer()
    {
        WizardDriver d;
        QWidget *tip = d.get("txtToolTip");
        QTest::mouseMove(d.get("imgHelpOriginal"), QPoint(5, 5));
        QTRY_VERIFY(tip->isVisible());
        QTest::mouseMove(d.get("lblRewrite"), QPoint(5, 5)); // another control: unchanged
        QVERIFY(tip->isVisible());
        QTest::mouseMove(d.get("FraOriginal"), QPoint(600, 250)); // the bare page
        QTRY_VERIFY(tip->isHidden());
    }

    void folderButtonFollowsTheSavingChoice()
    {
        WizardDriver d;
        d.choose("OptNo");
        QVERIFY(!d.get("CmBrowseFolder")->isEnabled());
        d.choose("OptYes");
        QVERIFY(d.get("CmBrowseFolder")->isEnabled());
    }

    void shortcutsOpenTheExclusionEditor()
    {
        WizardDriver d;
        QVERIFY(opensEditor(d, [&] { d.click("imgExcept"); }));
        QVERIFY(opensEditor(d, [&] { QTest::mouseDClick(d.get("FraOriginal"), Qt::LeftButton, {}, QPoint(600, 250)); }));
        QVERIFY(opensEditor(d, [&] { QTest::mouseDClick(d.window.get(), Qt::LeftButton, {}, QPoint(300, 364)); }));
        QVERIFY(!opensEditor(d, [&] { QTest::mouseDClick(d.get("TxtContent")->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport")), Qt::LeftButton); }));
        QVERIFY(!opensEditor(d, [&] { QTest::mouseDClick(d.get("lblRewrite"), Qt::LeftButton); }));
        d.type("TxtContent", QStringLiteral("alpha"));
        d.nextUntil(6);
        QVERIFY(opensEditor(d, [&] { QTest::mouseDClick(d.get("FraDisplay"), Qt::LeftButton, {}, QPoint(600, 250)); }));
        d.choose("OptNo");
        d.next();
        QVERIFY(!opensEditor(d, [&] { QTest::mouseDClick(d.get("FraFinish"), Qt::LeftButton, {}, QPoint(600, 250)); }));
    }

    void helpImageOpensTheHelpPage()
    {
        WizardDriver d;
        d.click("imgHelp");
        QCOMPARE(d.prompts.openedAddresses.size(), 1);
        QVERIFY(d.prompts.openedAddresses[0].startsWith(QStringLiteral("file://")));
        QVERIFY(d.prompts.openedAddresses[0].endsWith(QStringLiteral("/help.html")));
        QVERIFY(d.prompts.messages.isEmpty());

        // No browser to open it, and no page to open: each is said.
        d.prompts.addressesAccepted = false;
        d.click("imgHelp");
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY(d.prompts.messages[0].text.contains(QStringLiteral("No web browser")));
        d.window->setHelpPage(d.path(QStringLiteral("gone.html")));
        d.click("imgHelp");
        QCOMPARE(d.prompts.messages.size(), 2);
        QVERIFY(d.prompts.messages[1].text.contains(d.path(QStringLiteral("gone.html"))));
        QCOMPARE(d.prompts.openedAddresses.size(), 2);
    }
};

QTEST_MAIN(TestPageControls)
#include "tst_pagecontrols.moc"

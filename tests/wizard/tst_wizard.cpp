#include "WizardDriver.h"

#include <QAccessible>

#include "platform/ImageButton.h"
#include "sources/TextFiles.h"
#include "sources/ResultActions.h"
#include "wizard/ChangeMarks.h"
#include "wizard/FinishPage.h"
#include "wizard/RunInputGuard.h"
#include "wizard/StretchPage.h"

#include <QClipboard>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSet>
#include <QCheckBox>
#include <QSlider>

namespace {

const char *const Frames[] = {"FraOriginal", "FraPreview", "FraKeywords", "FraLegibility",
                              "FraStretch",  "FraReprints", "FraDisplay", "FraFinish"};
const char *const StepLabels[] = {"lblOriginalContent", "lblPreview", "lblKEYWORDS", "lblLeg",
                                  "lblSTRETCH",         "lblREPRINTS", "lblOUTPUT",   "lblFINISH"};

const QString ThreeParagraphs = QStringLiteral(
    "The committee met early in the morning to review the proposal.\r\n"
    "\r\n"
    "Several members raised concerns about the cost of the project.\r\n"
    "\r\n"
    "In the end the proposal passed, and the builders were told to start.");

} // namespace

class TestWizard : public QObject
{
    Q_OBJECT

    // Exactly one page and exactly one blue step label: those of `step`.
    static void checkShowing(const WizardDriver &d, int step)
    {
        QCOMPARE(d.step(), step);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(d.get(Frames[i])->isVisible(), i == step);
            QCOMPARE(MainWindow::labelColour(d.get<QLabel>(StepLabels[i])),
                     i == step ? MainWindow::CurrentStepColour : MainWindow::OtherStepColour);
        }
        QCOMPARE(d.get("imgPrev")->isVisible(), step >= 1 && step <= 6);
        QCOMPARE(d.get("imgNxt")->isVisible(), step != 7);
        QCOMPARE(d.get("imgRestart")->isVisible(), step == 7);
    }

    // The words of the result box as marked: (word, kind) in order.
    static QList<std::pair<QString, int>> markedWords(const WizardDriver &d)
    {
        auto *box = d.get<TextBox>("TxtFinishContant");
        const QString doc = box->document()->toPlainText();
        QList<std::pair<QString, int>> words;
        const auto &marks = box->findChild<ChangeMarks *>()->marks();
        for (qsizetype i = 0, m = 0; i < doc.size();) {
            if (WordChanges::separates(doc[i])) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < doc.size() && !WordChanges::separates(doc[end]))
                ++end;
            while (m < qsizetype(marks.size()) && marks[size_t(m)].end <= i)
                ++m;
            const bool marked = m < qsizetype(marks.size()) && marks[size_t(m)].start == i && marks[size_t(m)].end == end;
            words.append({doc.mid(i, end - i), marked ? marks[size_t(m)].kind : WordChanges::Same});
            i = end;
        }
        return words;
    }
    // Without its inserted words the text has the original's words, each marked
    // changed exactly where it differs.
    static void checkMarksAgainst(const WizardDriver &d, const QStringList &original)
    {
        QStringList kept;
        for (const auto &[word, kind] : markedWords(d)) {
            if (kind == WordChanges::Inserted)
                continue;
            QCOMPARE(kind == WordChanges::Changed, kept.size() >= original.size() || word != original[kept.size()]);
            kept << word;
        }
        QCOMPARE(kept.size(), original.size());
    }

private slots:
    void startsOnTheFirstPageWithTheDesignedValues()
    {
        WizardDriver d;
        checkShowing(d, 0);
        QVERIFY(d.get<QRadioButton>("Opt1")->isChecked());
        QCOMPARE(d.text("txtWebPage"), QStringLiteral("http://"));
        QCOMPARE(d.text("txtPreview"), QStringLiteral("Preview"));
        QCOMPARE(d.get<QSlider>("slLeg")->value(), 80);
        QCOMPARE(d.text("TxtReprints"), QStringLiteral("1"));
        QCOMPARE(d.text("LblContanWords"), QStringLiteral("Your original content contains <words> words."));
        QVERIFY(d.get<QRadioButton>("OptYes")->isChecked());
        QVERIFY(d.get("CmBrowseFolder")->isEnabled());
        QVERIFY(d.get<QRadioButton>("OptYes1")->isChecked());
        for (const char *hidden : {"txtToolTip", "LblPleaseChoose", "LblOneOfOne", "LblOneOfOneViewNext"})
            QVERIFY2(d.get(hidden)->isHidden(), hidden);
        for (const char *option : {"Opt1a", "opt2a", "opt3a", "opt4a", "opt5a"})
            QVERIFY(d.get<QRadioButton>(option)->isChecked());
    }

    // Every control lies inside its page, and every page inside the window.
    void controlsStayInsideTheirPages()
    {
        WizardDriver d;
        QCOMPARE(d.get("FraOriginal")->geometry(), QRect(8, 88, 657, 273));
        QCOMPARE(d.get("FraPreview")->geometry(), QRect(8, 88, 657, 265));
        QCOMPARE(d.get("FraFinish")->geometry(), QRect(12, 88, 657, 273));
        QCOMPARE(d.get("TxtContent")->geometry(), QRect(8, 56, 321, 201));
        QCOMPARE(d.get("TxtTo5")->geometry(), QRect(474, 200, 129, 28));
        QCOMPARE(d.get("CmdSaveTo")->geometry(), QRect(552, 132, 87, 25));
        for (const char *frame : Frames) {
            QWidget *page = d.get(frame);
            QVERIFY(d.window->rect().contains(page->geometry()));
            for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(page->rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
    }

    void aTextFileWithoutAPathStopsEveryPress()
    {
        WizardDriver d;
        d.choose("Opt2");
        d.next();
        QCOMPARE(d.prompts.messages.size(), 1);
        QCOMPARE(d.prompts.messages[0].text, QStringLiteral("No file selected."));
        QCOMPARE(d.prompts.messages[0].style, 0);
        QCOMPARE(d.prompts.messages[0].title, QStringLiteral("Penrook"));
        checkShowing(d, 0);

        d.choose("Opt1");
        d.nextUntil(3);
        d.choose("Opt2");
        d.next();
        QCOMPARE(d.prompts.messages.size(), 2);
        checkShowing(d, 3);
    }

    void keywordRowsWithoutReplacementStopOnTheKeywordsPage()
    {
        WizardDriver d;
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.nextUntil(2);
        d.type("Txt1", QStringLiteral("")); // empty keyword, filled replacement: fine
        d.type("TxtTo1", QStringLiteral("x"));
        d.type("Txt2", QStringLiteral("cat"));
        d.type("Txt4", QStringLiteral("dog"));
        d.type("Txt3", QStringLiteral("kept"));
        d.type("TxtTo3", QStringLiteral("  ")); // blanks count as filled
        d.next();
        QCOMPARE(d.prompts.messages.size(), 1);
        QCOMPARE(d.prompts.messages[0].text, QStringLiteral("Please fill replace text"));
        QCOMPARE(d.prompts.messages[0].style, 16);
        QCOMPARE(d.prompts.messages[0].title, QStringLiteral("Quillmorph"));
        QCOMPARE(QApplication::focusWidget(), d.get("TxtTo2"));
        checkShowing(d, 2);

        // A row in keep mode passes once its keyword is typed: the replacement follows it.
        d.choose("opt2b");
        d.type("Txt2", QStringLiteral("cats"));
        QCOMPARE(d.text("TxtTo2"), QStringLiteral("cats"));
        QVERIFY(d.get<QLineEdit>("TxtTo2")->isReadOnly());
        d.type("TxtTo4", QStringLiteral("wolf"));
        d.next();
        QCOMPARE(d.prompts.messages.size(), 1);
        checkShowing(d, 3);
    }

    void savingWithoutAFolderStopsOnTheOutputPage()
    {
        WizardDriver d;
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.nextUntil(6);
        d.next();
        QCOMPARE(d.prompts.messages.size(), 1);
        QCOMPARE(d.prompts.messages[0].text, QStringLiteral("Please choose folder path"));
        QCOMPARE(d.prompts.messages[0].style, 16);
        QCOMPARE(d.prompts.messages[0].title, QStringLiteral("Quillmorph"));
        QCOMPARE(QApplication::focusWidget(), d.get("CmBrowseFolder"));
        checkShowing(d, 6);
    }

    void badReprintCountsStopOnTheOutputPage_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "many";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("too many") << "40000";
        QTest::newRow("none") << "0";
        QTest::newRow("below one once rounded") << "0.5";
        QTest::newRow("negative") << "-5";
    }
    void badReprintCountsStopOnTheOutputPage()
    {
        QFETCH(QString, count);
        WizardDriver d;
        d.runWithoutSaving(count);
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY(d.prompts.messages[0].text.contains(QStringLiteral("number of reprints")));
        QCOMPARE(d.prompts.messages[0].style, 16);
        checkShowing(d, 6);
        QVERIFY(!FileExists(d.path(QStringLiteral("Quillmorph1.txt"))));
    }

    void fractionalCountsRoundHalfToEven_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("files");
        QTest::newRow("2.5 gives 2") << "2.5" << 2;
        QTest::newRow("3.5 gives 4") << "3.5" << 4;
        QTest::newRow("1.5 gives 2") << "1.5" << 2;
    }
    void fractionalCountsRoundHalfToEven()
    {
        QFETCH(QString, count);
        QFETCH(int, files);
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.runWithoutSaving(count);
        checkShowing(d, 7);
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(FileExists(d.path(QStringLiteral("Quillmorph%1.txt").arg(i))), i <= files);
    }

    void previousKeepsInputsAndNextRedoesTheWork()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("one two three"));
        d.nextUntil(2);
        d.type("Txt1", QStringLiteral("two"));
        d.type("TxtTo1", QStringLiteral("2"));
        d.previous();
        d.previous();
        checkShowing(d, 0);
        d.type("TxtContent", QStringLiteral("one two three four"));
        d.next();
        QCOMPARE(d.text("txtPreview"), QStringLiteral("one two three four"));
        d.type("txtPreview", QStringLiteral("edited preview\nwith a bare line feed"));
        d.nextUntil(4);
        QCOMPARE(d.text("Txt1"), QStringLiteral("two"));
        QCOMPARE(d.text("LblContanWords"), QStringLiteral("Your original content contains 7 words."));
        QCOMPARE(d.text("txtNewContent"), QStringLiteral("7"));
        QCOMPARE(d.run->wordList().entries().at(2), QStringLiteral("\r\n"));

        // Back to page 3 and forward again: the target is the count once more.
        d.type("txtNewContent", QStringLiteral("99"));
        d.previous();
        checkShowing(d, 3);
        d.next();
        QCOMPARE(d.text("txtNewContent"), QStringLiteral("7"));
    }

    // A target that is no number is said to be so on the stretch page itself.
    void aTargetThatIsNoNumberStopsOnTheStretchPage_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("a point alone") << ".";
    }
    void aTargetThatIsNoNumberStopsOnTheStretchPage()
    {
        QFETCH(QString, target);
        WizardDriver d;
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.nextUntil(4);
        d.type("txtNewContent", target);
        d.next();
        checkShowing(d, 4);
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY2(d.prompts.messages[0].text.contains(QStringLiteral("number of words")),
                 qPrintable(d.prompts.messages[0].text));
        QCOMPARE(QApplication::focusWidget(), d.get("txtNewContent"));
    }

    // A text of more words than can be rewritten is refused on the page that
    // counts them, saying so with its count.
    void aTextTooLongIsRefusedWithItsCount()
    {
        WizardDriver d;
        TextBox preview;
        preview.setText(QStringLiteral("one two three four"));
        StretchPage page(d.window.get(), d.prompts, *d.run, preview, 3);
        page.enter();
        QVERIFY(!page.validate());
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY2(d.prompts.messages[0].text.startsWith(QStringLiteral("Your original content contains 4 words")),
                 qPrintable(d.prompts.messages[0].text));
    }

    void emptyPasteCountsNothing()
    {
        WizardDriver d;
        d.nextUntil(4);
        QCOMPARE(d.text("txtPreview"), QString());
        QCOMPARE(d.text("LblContanWords"), QStringLiteral("Your original content contains 0 words."));
        QCOMPARE(d.text("txtNewContent"), QStringLiteral("0"));
    }

    // Saving and display choose the run: files go where the choice says.
    void outputChoicesChooseTheRun_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("display");
        QTest::newRow("save and display") << true << true;
        QTest::newRow("save only") << true << false;
        QTest::newRow("display only") << false << true;
        QTest::newRow("neither") << false << false;
    }
    void outputChoicesChooseTheRun()
    {
        QFETCH(bool, save);
        QFETCH(bool, display);
        WizardDriver d;
        QTemporaryDir out;
        d.type("TxtContent", QStringLiteral("alpha bravo charlie"));
        d.nextUntil(6);
        d.choose(save ? "OptYes" : "OptNo");
        d.choose(display ? "OptYes1" : "OptNo1");
        d.type("TxtBrowseFolder", out.path());
        d.next();
        checkShowing(d, 7);
        QCOMPARE(FileExists(QDir(out.path()).filePath(QStringLiteral("Quillmorpht1.txt"))), save);
        QCOMPARE(FileExists(d.path(QStringLiteral("Quillmorph1.txt"))), save || display);
        QCOMPARE(d.get("cmdOpenFolder")->isVisible(), save);
        QCOMPARE(d.get("LblSavedToFile")->isVisible(), save);
        QCOMPARE(d.text("TxtFinishContant").isEmpty(), !save && !display);
    }

    // A new user's whole job: three paragraphs, the defaults, a folder.
    void wholeRunWritesTheFilesAndShowsTheFirst()
    {
        WizardDriver d;
        QTemporaryDir out;
        d.type("TxtContent", ThreeParagraphs);
        d.nextUntil(6);
        d.type("TxtBrowseFolder", out.path());
        d.next();
        checkShowing(d, 7);

        const TextFileContent saved = ReadTextFile(QDir(out.path()).filePath(QStringLiteral("Quillmorpht1.txt")));
        const TextFileContent working = ReadTextFile(d.path(QStringLiteral("Quillmorph1.txt")));
        QVERIFY(saved.ok() && working.ok());
        QVERIFY(saved.text.endsWith(QStringLiteral(" \r\n\r\n")));
        QCOMPARE(saved.text.count(QStringLiteral("\r\n")), 6);
        QCOMPARE(d.text("TxtFinishContant"), working.text);
        QVERIFY(d.get("lblChangeThis17")->isVisible());
        QVERIFY(d.get("LblSavedToFile")->isVisible());
        QVERIFY(d.get("LblOneOfOne")->isHidden());
        QVERIFY(d.get("Pbar")->isHidden());
        for (const char *button : {"cmdSelectAll", "cmdCopyTo", "cmdViewNext", "CmdLink", "CmdSaveTo"})
            QVERIFY2(d.get(button)->isEnabled(), button);
        QVERIFY(d.prompts.messages.isEmpty());
    }

    // A spintax original: the preview says what it holds, and every reprint
    // is a fresh pick of it, not a rewrite of the reprint before.
    void aSpintaxTextMakesEachReprintFromAFreshPick()
    {
        WizardDriver d(QList<FixtureWord>{{"alpha", {}}});
        d.type("TxtContent", QStringLiteral("{Alpha|Bravo} says {hi|{good|bad} day}.\r\nA \\{literal\\}."));
        d.next();
        QTest::qWait(300);
        QCOMPARE(d.text("LblSpintax"), QStringLiteral("This text holds 3 groups and 6 distinct variations"));
        d.runWithoutSaving(QStringLiteral("24"));
        QSet<QString> made;
        for (int i = 1; i <= 24; ++i) {
            const QString text = ReadTextFile(d.path(QStringLiteral("Quillmorph%1.txt").arg(i))).text;
            QVERIFY2(QRegularExpression(QStringLiteral("^ (Alpha|Bravo) says (hi|good day|bad day)\\. \r\n A "
                                                       "\\{literal\\}\\. \r\n\r\n$")).match(text).hasMatch(),
                     qPrintable(text));
            made.insert(text);
        }
        QVERIFY(made.size() > 2);
    }

    // Broken spintax is said where, and is rewritten as plain text only if the user says so.
    void brokenSpintaxIsPlainTextOnlyWhenTheUserSaysSo()
    {
        WizardDriver d(QList<FixtureWord>{{"alpha", {}}});
        d.type("TxtContent", QStringLiteral("{alpha|bravo}\r\nand {more"));
        d.next();
        QTest::qWait(300);
        QCOMPARE(d.text("LblSpintax"), QStringLiteral("The spintax breaks at line 2, column 5: an opening brace is "
                                                      "never closed."));
        d.prompts.answers = {Prompts::No};
        d.next();
        QCOMPARE(d.step(), 1);
        QVERIFY(d.prompts.messages.last().text.contains(QLatin1String("line 2, column 5")));
        d.prompts.answers = {Prompts::Yes};
        d.runWithoutSaving(QStringLiteral("1"));
        QCOMPARE(d.prompts.messages.size(), 2);
        QVERIFY(d.text("TxtFinishContant").contains(QLatin1String("{alpha|bravo}")));
    }

    void viewNextStepsThroughTheWorkingCopies()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.runWithoutSaving(QStringLiteral("3"));
        QVERIFY(d.get("LblOneOfOneViewNext")->isHidden());
        QStringList labels;
        for (int click = 0; click < 4; ++click) {
            d.click("cmdViewNext");
            labels << d.text("LblOneOfOneViewNext");
        }
        QCOMPARE(labels, (QStringList{"2 Of 3", "3 Of 3", "1 Of 3", "2 Of 3"}));
        QCOMPARE(d.text("TxtFinishContant"), ReadTextFile(d.path(QStringLiteral("Quillmorph2.txt"))).text);
    }

    // A working copy gone since the run (deleted, or a folder in its place)
    // is named, and no other copy's text stands under its number.
    void viewNextSaysWhichCopyIsMissing()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.runWithoutSaving(QStringLiteral("4"));
        QVERIFY(QFile::remove(d.path(QStringLiteral("Quillmorph2.txt"))));
        QVERIFY(QFile::remove(d.path(QStringLiteral("Quillmorph3.txt"))));
        QVERIFY(QDir(d.program.path()).mkdir(QStringLiteral("Quillmorph3.txt")));
        for (const char *copy : {"Quillmorph2.txt", "Quillmorph3.txt"}) {
            d.click("cmdViewNext");
            QVERIFY(d.text("TxtFinishContant").isEmpty());
            QCOMPARE(d.prompts.messages.size(), copy[10] == '2' ? 1 : 2);
            QVERIFY2(d.prompts.messages.last().text.contains(QLatin1String(copy)), qPrintable(d.prompts.messages.last().text));
        }
        QVERIFY(d.prompts.messages.last().text.contains(QStringLiteral("a folder")));
        d.click("cmdViewNext");
        QCOMPARE(d.text("TxtFinishContant"), ReadTextFile(d.path(QStringLiteral("Quillmorph4.txt"))).text);
    }

    void marksShowTheWordsEachReprintChangedAndStayOutOfTheText()
    {
        WizardDriver d;
        const QString original = QStringLiteral("The committee met this morning about the proposal");
        d.type("TxtContent", original);
        d.nextUntil(3);
        d.get<QSlider>("slLeg")->setValue(5);
        d.next();
        d.type("txtNewContent", QStringLiteral("11"));
        d.next();
        d.type("TxtReprints", QStringLiteral("2"));
        d.next();
        d.choose("OptNo");
        d.next();

        const QStringList words = original.split(QLatin1Char(' '));
        checkMarksAgainst(d, words);
        const QString first = d.text("LblChanged");
        QVERIFY(d.get("LblChanged")->isVisible());
        QCOMPARE(first, QStringLiteral("3 of 11 words changed (27%), 3 inserted"));
        d.click("cmdViewNext");
        checkMarksAgainst(d, words);
        QCOMPARE(d.text("LblChanged"), QStringLiteral("3 of 14 words changed (21%), 6 inserted"));
        // What a screen reader reads of the label is the figure.
        QCOMPARE(QAccessible::queryAccessibleInterface(d.get("LblChanged"))->text(QAccessible::Name),
                 d.text("LblChanged"));

        // Nothing of the marks reaches the text the user takes away.
        const QString working = ReadTextFile(d.path(QStringLiteral("Quillmorph2.txt"))).text;
        d.click("cmdCopyTo");
        QCOMPARE(QGuiApplication::clipboard()->text(), working);
        d.prompts.filesToSave << d.path(QStringLiteral("page.html"));
        d.click("CmdSaveTo");
        QCOMPARE(ReadTextFile(d.path(QStringLiteral("page.html"))).text,
                 ResultActions::htmlPage(working).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

        // Typing into a marked word drops its mark; the others move with the text.
        auto *box = d.get<TextBox>("TxtFinishContant");
        auto before = markedWords(d);
        const qsizetype edited = std::find_if(before.begin(), before.end(), [](const auto &w) { return w.second; })
                                 - before.begin();
        QTextCursor cursor(box->document());
        cursor.setPosition(box->findChild<ChangeMarks *>()->marks().front().start + 1);
        box->setTextCursor(cursor);
        QTest::keyClick(box, Qt::Key_X);
        before[edited] = {before[edited].first.insert(1, QLatin1Char('x')), WordChanges::Same};
        QCOMPARE(markedWords(d), before);
        // The figure counted the reprint, which the text no longer is.
        QVERIFY(d.get("LblChanged")->isHidden());
        QVERIFY(box->accessibleDescription().isEmpty());
        // A paste over the whole text leaves no mark.
        d.click("cmdViewNext");
        QVERIFY(d.get("LblChanged")->isVisible());
        box->selectAll();
        box->insertPlainText(QStringLiteral("pasted words"));
        QVERIFY(box->findChild<ChangeMarks *>()->marks().empty());
        QVERIFY(d.get("LblChanged")->isHidden());

        // A file of the user's own is no reprint: no marks, no figure.
        d.prompts.filesToOpen << d.path(QStringLiteral("Quillmorph1.txt"));
        d.get<QPushButton>("cmdOpenFolder")->click();
        QVERIFY(box->findChild<ChangeMarks *>()->marks().empty());
        QVERIFY(d.get("LblChanged")->isHidden());
    }

    void aLongRunRepaintsAtAFrameRateAndEndsPainted()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("committee morning proposal ").repeated(50));
        d.nextUntil(5);
        d.type("TxtReprints", QStringLiteral("300"));
        d.next();
        d.choose("OptNo");
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        d.window->installEventFilter(&counter);
        QElapsedTimer timer;
        timer.start();
        d.next();
        const qint64 ms = timer.elapsed();
        QVERIFY(QFile::exists(d.path(QStringLiteral("Quillmorph300.txt"))));
        // A frame may take a paint or two; a repaint per variation would take 600.
        QVERIFY2(counter.paints <= 3 * (1 + ms / FinishPage::PaintIntervalMs),
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(counter.paints).arg(ms)));
        QVERIFY(d.window->updatesEnabled());
        QTRY_VERIFY(counter.paints > 0); // the finished page is painted
    }

    void aFolderThatCannotBeWrittenIsReported()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.nextUntil(6);
        const QString missing = d.path(QStringLiteral("no/such/folder"));
        d.type("TxtBrowseFolder", missing);
        d.next();
        checkShowing(d, 7);
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY(d.prompts.messages[0].text.contains(missing));
        QVERIFY(!d.get("LblSavedToFile")->isVisible());
        // Nothing was made, and nothing says it was.
        QVERIFY(!d.get("lblChangeThis17")->isVisible());
        QVERIFY(!d.get("cmdOpenFolder")->isVisible());
        QVERIFY(d.text("TxtFinishContant").isEmpty());
        const auto *counter = d.get<QLabel>("LblOneOfOne");
        QVERIFY(counter->text().startsWith(QStringLiteral("Stopped: 0 Of")));
        QVERIFY(counter->width() >= counter->sizeHint().width()); // the notice shows whole
    }

    // A run drops the clicks and keys meant for its window, but a message it puts
    // up (a full disk, say) is a window of its own and must be answerable.
    void theRunDropsInputForItsWindowOnly()
    {
        QWidget window;
        auto *inWindow = new QPushButton(QStringLiteral("in"), &window);
        QPushButton prompt(QStringLiteral("OK"));
        window.show();
        prompt.show();
        int windowClicks = 0;
        int promptClicks = 0;
        connect(inWindow, &QPushButton::clicked, this, [&] { ++windowClicks; });
        connect(&prompt, &QPushButton::clicked, this, [&] { ++promptClicks; });
        {
            const RunInputGuard guard(&window, [](const QObject *) { return true; });
            QTest::mouseClick(inWindow, Qt::LeftButton);
            QTest::keyClick(inWindow, Qt::Key_Space);
            QTest::mouseClick(&prompt, Qt::LeftButton);
            QTest::keyClick(&prompt, Qt::Key_Space);
        }
        QCOMPARE(windowClicks, 0);
        QCOMPARE(promptClicks, 2);
    }

    void excludedWordsAreNeverReplaced()
    {
        for (bool excluded : {false, true}) {
            WizardDriver d;
            if (excluded)
                QVERIFY(!d.store.AddExcluded(QStringLiteral("COMMITTEE")));
            d.type("TxtContent", QStringLiteral("committee committee committee committee"));
            d.nextUntil(3);
            d.get<QSlider>("slLeg")->setValue(5);
            d.nextUntil(5);
            d.type("TxtReprints", QStringLiteral("5"));
            d.next();
            d.choose("OptNo");
            d.next();
            QString all;
            for (int i = 1; i <= 5; ++i)
                all += ReadTextFile(d.path(QStringLiteral("Quillmorph%1.txt").arg(i))).text;
            QCOMPARE(all.contains(QStringLiteral("commission")), !excluded);
        }
    }

    // The slider's value reaches the run: at 5 every word of ten changes, at 80 two.
    void theLegibilityChosenReachesTheRun()
    {
        for (const int legibility : {5, 80}) {
            WizardDriver d;
            d.type("TxtContent", QStringLiteral("committee morning proposal committee morning proposal committee "
                                                "morning proposal committee"));
            d.nextUntil(3);
            d.get<QSlider>("slLeg")->setValue(legibility);
            d.nextUntil(6);
            d.choose("OptNo");
            d.next();
            const QString result = d.text("TxtFinishContant");
            const qsizetype changed = result.count(QStringLiteral("commission")) + result.count(QStringLiteral("forenoon"))
                                      + result.count(QStringLiteral("suggestion"));
            QCOMPARE(changed, legibility == 5 ? 10 : 2);
        }
    }

    // The fit option is off at start and after Restart, and a checked one reaches
    // the run: without its word data the run says so once and goes on as usual.
    void theFitOptionReachesTheRun()
    {
        WizardDriver d;
        auto *fit = d.get<QCheckBox>("chkFit");
        QVERIFY(!fit->isChecked());
        d.type("TxtContent", QStringLiteral("committee morning"));
        d.nextUntil(3);
        fit->setChecked(true);
        d.nextUntil(6);
        d.choose("OptNo");
        d.next();
        QCOMPARE(d.step(), 7);
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY2(d.prompts.messages.first().text.startsWith(QStringLiteral("Synonyms cannot be fitted")),
                 qPrintable(d.prompts.messages.first().text));
        QVERIFY(!d.text("TxtFinishContant").isEmpty());
        QTest::qWait(400); // Restart takes clicks a moment after the run
        d.restart();
        QVERIFY(!fit->isChecked());
    }

    void restartResetsEveryInput()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.type("txtWebPage", QStringLiteral("http://example.invalid/"));
        d.nextUntil(2);
        d.choose("opt1b");
        d.type("Txt1", QStringLiteral("alpha"));
        d.nextUntil(3);
        d.get<QSlider>("slLeg")->setValue(20);
        d.runWithoutSaving(QStringLiteral("3"));
        d.click("cmdViewNext");
        QVERIFY(d.get("LblOneOfOneViewNext")->isVisible());
        const QString target = d.text("txtNewContent");

        // Restart lies where Next was: a click on it just after the run is taken
        // for a second one on Next and dropped.
        d.restart();
        checkShowing(d, 7);
        QTest::qWait(400);
        d.restart();
        checkShowing(d, 0);
        QCOMPARE(d.text("TxtContent"), QString());
        QCOMPARE(d.text("txtBrowse"), QString());
        QCOMPARE(d.text("txtWebPage"), QStringLiteral("http://"));
        QVERIFY(d.get<QRadioButton>("Opt1")->isChecked());
        QCOMPARE(d.text("txtPreview"), QString());
        QCOMPARE(d.text("Txt1"), QString());
        QCOMPARE(d.text("TxtTo1"), QString());
        QVERIFY(d.get<QRadioButton>("Opt1a")->isChecked());
        QVERIFY(!d.get<QLineEdit>("TxtTo1")->isReadOnly());
        QCOMPARE(d.get<QSlider>("slLeg")->value(), 80);
        QCOMPARE(d.text("TxtReprints"), QStringLiteral("1"));
        QCOMPARE(d.text("TxtBrowseFolder"), QString());
        QVERIFY(d.get<QRadioButton>("OptNo")->isChecked()); // saving is off after a restart
        QVERIFY(!d.get("CmBrowseFolder")->isEnabled());
        QVERIFY(d.get<QRadioButton>("OptYes1")->isChecked());
        QCOMPARE(d.text("TxtFinishContant"), QString());
        QCOMPARE(d.text("txtNewContent"), target); // left as it was
        QVERIFY(d.get("LblOneOfOneViewNext")->isHidden());

        // The next round reaches the finish page without a folder.
        d.nextUntil(7);
        QVERIFY(d.prompts.messages.isEmpty());
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"

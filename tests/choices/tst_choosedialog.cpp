#include "choices/ChooseDialog.h"
#include "engine/FitToSentence.h"
#include "engine/RandomDraw.h"
#include "engine/Spintax.h"
#include "sources/TextFiles.h"
#include "fixtures/FakePrompts.h"
#include "fixtures/FitModels.h"
#include "fixtures/FixtureDb.h"
#include "startup/WordStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The Choose synonyms window driven from the keyboard alone, as the window
// system delivers keys (its shortcuts included), on a fixture database.
class TestChooseDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FitModels m_models;
    FakePrompts m_prompts;

    QStringList choicesIn(WordStore &store)
    {
        QStringList found;
        const QVector<WordStore::Choice> choices = store.ChoicesOf(QStringLiteral("needs"), QStringLiteral("vz")).value();
        for (const WordStore::Choice &c : choices)
            found << c.synonym + (c.chosen ? QStringLiteral("+") : QStringLiteral("-"));
        found.sort();
        return found;
    }
    static void press(QDialog &dialog, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(dialog.windowHandle(), Qt::Key(key), modifiers);
    }
    static QString figureOf(QDialog &dialog)
    {
        return dialog.findChild<QLabel *>(QStringLiteral("LblChooseFigure"))->text();
    }

private slots:
    void initTestCase()
    {
        if (!m_models.load() && !m_models.missing.isEmpty())
            QSKIP(qPrintable(m_models.missing));
        QVERIFY2(m_models.model, qPrintable(m_models.error));
        makeFixtureDb(m_dir.path(), {}, {});
        execOnFixtureDb(m_dir.path(), QStringLiteral(
            "create table FitSynonyms(word text, class text, synonym text, rank integer);"
            "insert into FitSynonyms values('needs', 'vz', 'requires', 1);"
            "create table OfferSynonyms(word text, class text, synonym text, rank integer, likely integer);"
            "insert into OfferSynonyms values('needs', 'vz', 'wants', 1, 0), ('money', 'n', 'cash', 1, 1);"));
    }

    // Keys alone tick, untick, add one's own synonym and accept; the figure
    // follows at once, the choices are kept, and Cancel forgets an opening's.
    // A click on a word selects it.
    void theKeyboardChoosesAndCancelForgets()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        FitToSentence fit(store, *m_models.tagger, *m_models.model);
        const QString text = QStringLiteral("The project needs more money, Ann says.");
        {
            ChooseDialog dialog(fit, store, m_prompts, text, {QStringLiteral("money")}, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.placeCount(), 1); // the keyword and the name are not offered
            for (const char *name : {"TxtChoose", "LstChooseCandidates", "TxtOwnSynonym", "CmdAdd", "CmdOK",
                                     "CmdCancel", "LblChooseFigure"})
                QVERIFY2(!dialog.findChild<QWidget *>(QLatin1String(name))->accessibleName().isEmpty(), name);
            // What a screen reader reads of the selected word.
            QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("LblChooseWord"))->accessibleName().startsWith(
                QStringLiteral("needs, verb, in: The project needs more money, Ann says. Synonyms: ")));
            QCOMPARE(figureOf(dialog), QStringLiteral("1 of 7 words can change (14%), 0 more have synonyms to choose"));
            auto *candidates = dialog.findChild<QListWidget *>(QStringLiteral("LstChooseCandidates"));
            QCOMPARE(candidates->count(), 2);
            // The shipped list's candidate is ticked at first, the one offered besides it not.
            const int shipped = candidates->item(0)->text().contains(QLatin1String("requires")) ? 0 : 1;
            QCOMPARE(candidates->item(shipped)->checkState(), Qt::Checked);
            QCOMPARE(candidates->item(1 - shipped)->checkState(), Qt::Unchecked);
            press(dialog, Qt::Key_1 + shipped);
            QCOMPARE(figureOf(dialog), QStringLiteral("0 of 7 words can change (0%), 1 more have synonyms to choose"));
            press(dialog, Qt::Key_2 - shipped);
            press(dialog, Qt::Key_2 - shipped);
            press(dialog, Qt::Key_Y, Qt::AltModifier); // to the box of one's own synonym
            QTest::keyClicks(dialog.focusWidget(), QStringLiteral("lacks"));
            press(dialog, Qt::Key_Return);
            QCOMPARE(candidates->count(), 3);
            QCOMPARE(candidates->currentItem()->checkState(), Qt::Checked);
            candidates->setFocus();
            press(dialog, Qt::Key_Space);
            QCOMPARE(candidates->currentItem()->checkState(), Qt::Unchecked);
            press(dialog, Qt::Key_Space);
            QCOMPARE(candidates->currentItem()->checkState(), Qt::Checked);
            press(dialog, Qt::Key_Y, Qt::AltModifier);
            press(dialog, Qt::Key_Return); // the box is empty again: OK
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(choicesIn(store), QStringList({"lacks+", "requires-"}));
        {
            ChooseDialog dialog(fit, store, m_prompts, text, {}, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.placeCount(), 2);
            press(dialog, Qt::Key_F8, Qt::ShiftModifier); // wraps round to the last word, "money"
            QCOMPARE(dialog.entryOf(dialog.selectedPlace()), 4);
            press(dialog, Qt::Key_1);
            // A click on a word selects it.
            auto *box = dialog.findChild<QPlainTextEdit *>(QStringLiteral("TxtChoose"));
            QTextCursor atNeeds(box->document());
            atNeeds.setPosition(int(text.indexOf(QLatin1String("needs"))) + 2);
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->cursorRect(atNeeds).center());
            QCOMPARE(dialog.entryOf(dialog.selectedPlace()), 2);
            press(dialog, Qt::Key_Escape);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QVERIFY(store.ChoicesOf(QStringLiteral("money"), QStringLiteral("n")).value().isEmpty());
        QCOMPARE(choicesIn(store), QStringList({"lacks+", "requires-"}));
    }

    // Saved as spintax, each word that can change is a group of the word and
    // its ticked candidates, the rest escaped; read back, every pick holds the
    // word or one of them. A file is replaced only when the user says so.
    void savedSpintaxReadsBack()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QVERIFY(!store.SaveChoices({{"needs", "vz", "requires", true}, {"needs", "vz", "wants", true}}));
        FitToSentence fit(store, *m_models.tagger, *m_models.model);
        ChooseDialog dialog(fit, store, m_prompts, QStringLiteral("The {project} needs  more money.\r\nA|B"), {},
                            nullptr);
        const QString spintax = dialog.asSpintax();
        // (what the test before chose still holds)
        QCOMPARE(spintax, QStringLiteral("The \\{project\\} {needs|requires|lacks|wants}  more money.\r\nA\\|B"));
        const Spintax::Reading reading = Spintax::read(spintax);
        QVERIFY(reading.spintax);
        QCOMPARE(reading.spintax->variations(), quint64(4));
        ClockDrawSource draws;
        for (int i = 0; i < 20; ++i)
            QVERIFY(QRegularExpression(QStringLiteral("^The \\{project\\} (needs|requires|lacks|wants)  more money\\.\r\nA\\|B$"))
                        .match(reading.spintax->pick(draws)).hasMatch());

        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("saved.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("mine") == 4);
        old.close();
        m_prompts.filesToSave = {path, path};
        m_prompts.answers = {Prompts::No, Prompts::Yes};
        dialog.saveAsSpintax();
        QCOMPARE(ReadTextFile(path).text, QStringLiteral("mine"));
        dialog.saveAsSpintax();
        QCOMPARE(ReadTextFile(path).text, spintax + QStringLiteral("\r\n"));
    }
};

QTEST_MAIN(TestChooseDialog)
#include "tst_choosedialog.moc"

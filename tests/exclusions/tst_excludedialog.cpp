#include "exclusions/ExcludeDialog.h"
#include "fixtures/FakePrompts.h"
#include "fixtures/FixtureDb.h"
#include "startup/WordStore.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestExcludeDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakePrompts m_prompts;
    std::unique_ptr<WordStore> m_store;
    std::unique_ptr<ExcludeDialog> m_editor;

    QStringList listed() const
    {
        QStringList words;
        auto *list = m_editor->findChild<QListWidget *>(QStringLiteral("Lst"));
        for (int i = 0; i < list->count(); ++i)
            words << list->item(i)->text();
        return words;
    }
    QLineEdit *word() const { return m_editor->findChild<QLineEdit *>(QStringLiteral("TxtWord")); }
    void click(const char *name) { m_editor->findChild<QPushButton *>(QString::fromLatin1(name))->click(); }
    void selectRow(int row)
    {
        m_editor->findChild<QListWidget *>(QStringLiteral("Lst"))->setCurrentRow(row);
    }
    QStringList texts() const
    {
        QStringList out;
        for (const PromptMessage &m : m_prompts.messages)
            out << QStringLiteral("%1|%2|%3").arg(m.text).arg(m.style).arg(m.title);
        return out;
    }

private slots:
    void init()
    {
        m_prompts = FakePrompts();
        makeFixtureDb(m_dir.path(), {{"happy", {"glad"}}}, {"zebra", "Apple", "mango", "Mango"});
        m_store = std::make_unique<WordStore>();
        QVERIFY(!m_store->OpenWordStore(m_dir.path()));
        m_editor = std::make_unique<ExcludeDialog>(*m_store, m_prompts);
        m_editor->show();
    }

    void windowAndList()
    {
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Exclude"));
        QCOMPARE(m_editor->size(), QSize(312, 206));
        QCOMPARE(m_editor->palette().color(QPalette::Window), QColor(224, 224, 224));
        QCOMPARE(listed(), (QStringList{"Apple", "Mango", "mango", "zebra"}));
        QVERIFY(m_editor->findChild<QListWidget *>()->selectedItems().isEmpty());
        // A row without a word shows as an empty entry.
        execOnFixtureDb(m_dir.path(), QStringLiteral("insert into Tbl_Exclude(word) values(null)"));
        m_editor->RefreshList();
        QCOMPARE(listed().size(), 5);
        QVERIFY(listed().contains(QString()));
    }

    void saveChecksAndKeepsTheWord()
    {
        click("CmdSave");
        word()->setText(QStringLiteral("APPLE"));
        click("CmdSave");
        word()->setText(QStringLiteral("kiwi"));
        click("CmdSave");
        click("CmdSave"); // the box still holds it
        QCOMPARE(texts(), (QStringList{"Please fill word|16|Exclude", "Word already exist|16|Exclude",
                                       "Saved Successfully|64|Exclude", "Word already exist|16|Exclude"}));
        QCOMPARE(word()->text(), QStringLiteral("kiwi"));
        QVERIFY(listed().contains(QStringLiteral("kiwi")));
        QCOMPARE(m_store->IsExcluded(QStringLiteral("Kiwi")), std::optional<bool>(true)); // the generator sees it
    }

    void oddWordsRoundTrip()
    {
        const QStringList odd = {" padded ", "it's", "50%", "back\\slash", "Ärger", "   ", QString(100000, u'w')};
        for (const QString &w : odd) {
            word()->setText(w);
            click("CmdSave");
        }
        for (const QString &w : odd)
            QVERIFY2(listed().contains(w), qPrintable(w));
        word()->setText(QStringLiteral("ärger"));
        click("CmdSave");
        QCOMPARE(m_prompts.messages.last().text, QStringLiteral("Word already exist"));

        selectRow(int(listed().indexOf(QStringLiteral("it's"))));
        click("CmdDelete");
        QVERIFY(!listed().contains(QStringLiteral("it's")));
        QCOMPARE(m_store->IsExcluded(QStringLiteral("it's")), std::optional<bool>(false));
    }

    void deleteAsksAndTakesEveryCopy()
    {
        click("CmdDelete"); // nothing selected: nothing at all
        QVERIFY(m_prompts.messages.isEmpty());

        selectRow(1); // "Mango"
        m_prompts.answers << Prompts::No;
        click("CmdDelete");
        QCOMPARE(listed().size(), 4);

        selectRow(1);
        click("CmdDelete");
        QCOMPARE(texts(), (QStringList{"Do you want to delete Mango Word|68|Penrook",
                                       "Do you want to delete Mango Word|68|Penrook",
                                       "Record deleted successfully|64|Penrook"}));
        QCOMPARE(listed(), (QStringList{"Apple", "zebra"}));
    }

    // Another program writing: reads go on, writes fail. The failure is shown,
    // the window stays, the list is as it was.
    void failedWritesAreReported()
    {
        SqliteDatabase other;
        QVERIFY(!other.open(m_store->path(), SqliteDatabase::Mode::ReadWrite));
        QVERIFY(!other.exec(QStringLiteral("begin immediate; insert into Words(word) values('x');")));
        word()->setText(QStringLiteral("kiwi"));
        click("CmdSave");
        selectRow(0);
        click("CmdDelete");
        other.exec(QStringLiteral("rollback"));
        QVERIFY(m_editor->isVisible());
        QCOMPARE(listed(), (QStringList{"Apple", "Mango", "mango", "zebra"}));
        QVERIFY(texts().filter(QStringLiteral("could not be saved")).size() == 1);
        QVERIFY(texts().filter(QStringLiteral("could not be deleted")).size() == 1);
    }

    // Without a word database the editor says why, as the error report, and
    // writes nothing.
    void aStoreThatIsNotOpenIsReported()
    {
        WordStore closed;
        ExcludeDialog editor(closed, m_prompts);
        const QString report = QStringLiteral("The word database is not open.\r\nContact The Software Vendor at line 20|0|Penrook");
        QCOMPARE(texts(), QStringList{report});
        editor.findChild<QLineEdit *>(QStringLiteral("TxtWord"))->setText(QStringLiteral("kiwi"));
        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("CmdSave")), Qt::LeftButton);
        QCOMPARE(texts(), (QStringList{report, report}));
    }

    void enterMovesOnAndEscCloses()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
        word()->setFocus();
        word()->setText(QStringLiteral("kiwi"));
        QTest::keyClick(word(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmdSave"));
        QVERIFY(m_prompts.messages.isEmpty()); // Enter does not save
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"CmdClose", "Lst", "CmdDelete", "TxtWord"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!m_editor->isVisible());
    }
};

QTEST_MAIN(TestExcludeDialog)
#include "tst_excludedialog.moc"

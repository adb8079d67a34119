#include "fixtures/FakePrompts.h"
#include "platform/TextBox.h"
#include "sources/ResultActions.h"
#include "sources/TextFiles.h"
#include "wizard/WizardDriver.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest>

class TestResultActions : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;
    std::unique_ptr<QWidget> m_window;
    TextBox *m_result = nullptr;
    QLineEdit *m_address = nullptr;
    std::unique_ptr<ResultActions> m_actions;

    void select(qsizetype from, qsizetype length)
    {
        QTextCursor cursor = m_result->textCursor();
        cursor.setPosition(int(from));
        cursor.setPosition(int(from + length), QTextCursor::KeepAnchor);
        m_result->setTextCursor(cursor);
    }

private slots:
    void init()
    {
        m_prompts = FakePrompts();
        m_window = std::make_unique<QWidget>();
        m_result = new TextBox(m_window.get());
        m_address = new QLineEdit(m_window.get());
        m_actions = std::make_unique<ResultActions>(m_result, m_address, m_prompts);
        m_window->show();
    }

    void linkReplacesEveryOccurrence_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectLength");
        QTest::addColumn<QString>("result");
        QTest::newRow("both occurrences") << "a word, a word" << "/page" << 2 << 4
                                          << "a <a href=/page>word</a>, a <a href=/page>word</a>";
        QTest::newRow("letter case counts") << "Word and word" << "/x" << 0 << 4 << "<a href=/x>Word</a> and word";
        QTest::newRow("no search inside the new link") << "a b" << "/a" << 0 << 1 << "<a href=/a>a</a> b";
        QTest::newRow("earlier links are not spared") << "<a href=/k>k</a> k" << "/z" << 17 << 1
                                                      << "<a href=/<a href=/z>k</a>><a href=/z>k</a></a> <a href=/z>k</a>";
        // An address that would end the attribute or the tag stays inside quotation marks.
        QTest::newRow("a space is quoted") << "a word" << "http://x.test/ onmouseover=alert(1)" << 2 << 4
                                           << "a <a href=\"http://x.test/ onmouseover=alert(1)\">word</a>";
        QTest::newRow("quotes and brackets escaped") << "a word" << "/a\"b'c<d>e&f" << 2 << 4
                                                     << "a <a href=\"/a&quot;b&#39;c&lt;d&gt;e&amp;f\">word</a>";
        QTest::newRow("ampersand alone stays bare") << "a word" << "/s?a=1&b=2" << 2 << 4
                                                    << "a <a href=/s?a=1&b=2>word</a>";
    }
    void linkReplacesEveryOccurrence()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, selectFrom);
        QFETCH(int, selectLength);
        QFETCH(QString, result);
        m_result->setText(text);
        m_address->setText(address);
        select(selectFrom, selectLength);
        m_actions->link();
        QCOMPARE(m_result->text(), result);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void linkNeedsAnAddressAndAPhrase()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_result->setText(QStringLiteral("a word"));
        select(2, 4);
        m_actions->link();
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, QStringLiteral("Please fill your anchor text."));
        QCOMPARE(m_prompts.messages[0].style, 16);
        QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Quillmorph"));
        QCOMPARE(QApplication::focusWidget(), m_address);

        m_address->setText(QStringLiteral("/p"));
        select(2, 0);
        m_actions->link();
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(m_prompts.messages[1].text, QStringLiteral("Please select your anchor text in preview window."));
        QCOMPARE(m_result->text(), QStringLiteral("a word"));
    }

    void exportWritesTheNineLinePage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page")); // no extension added
        m_result->setText(QStringLiteral("abc"));
        m_prompts.filesToSave << path;
        m_actions->exportToHtml();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("<Html>\r\n<Head>\r\n<Title>Quillmorph\r\n</Title>\r\n</Head>\r\n"
                                            "<body>\r\nabc\r\n</body>\r\n</Html>\r\n"));
        QCOMPARE(m_prompts.filters, QStringList{"HtmlFiles(*.html)|*.html;"});
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, QStringLiteral("Html File Created"));
        QCOMPARE(m_prompts.messages[0].style, 64);
        QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Penrook"));
    }

    void exportRefusalsKeepTheText()
    {
        QTemporaryDir dir;
        // Cancelled: nothing at all.
        m_actions->exportToHtml();
        QVERIFY(m_prompts.messages.isEmpty());
        // Empty box: no file, and a word why.
        const QString path = dir.filePath(QStringLiteral("empty.html"));
        m_prompts.filesToSave << path;
        m_actions->exportToHtml();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(m_prompts.messages.size(), 1);
        // A folder that does not exist: the failure names the path; the text stays.
        m_result->setText(QStringLiteral("keep me"));
        const QString missing = dir.filePath(QStringLiteral("no/such/page.html"));
        m_prompts.filesToSave << missing;
        m_actions->exportToHtml();
        QCOMPARE(m_prompts.messages.size(), 2);
        QVERIFY(m_prompts.messages[1].text.contains(missing));
        QCOMPARE(m_result->text(), QStringLiteral("keep me"));
    }

    // A file already there is replaced only when the user says so.
    void exportAsksBeforeReplacing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.html"));
        QVERIFY(!WriteTextFile(path, {QStringLiteral("mine")}));
        m_result->setText(QStringLiteral("abc"));
        m_prompts.filesToSave << path << path;
        m_prompts.answers << Prompts::No << Prompts::Yes;
        m_actions->exportToHtml();
        QCOMPARE(ReadTextFile(path).text, QStringLiteral("mine\r\n"));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains(path));
        QCOMPARE(m_prompts.messages[0].style, Prompts::YesNo | Prompts::Exclamation);
        m_actions->exportToHtml();
        QVERIFY(ReadTextFile(path).text.contains(QStringLiteral("<body>\r\nabc")));
        QCOMPARE(m_prompts.messages.last().text, QStringLiteral("Html File Created"));
    }

    void openFileLoadsAnyTextFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quillmorpht3.txt"));
        QVERIFY(!WriteTextFile(path, {QStringLiteral(" saved text ")}));
        m_prompts.filesToOpen << path << QString() << dir.filePath(QStringLiteral("gone.txt"));
        m_actions->openFile();
        QCOMPARE(m_result->text(), QStringLiteral(" saved text \r\n"));
        QCOMPARE(m_prompts.filters, QStringList{"TextFiles(*.Txt)|*.Txt;"});
        m_actions->openFile(); // cancelled
        m_actions->openFile(); // a name for no file: reported, the text stays
        QCOMPARE(m_result->text(), QStringLiteral(" saved text \r\n"));
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    void copyTakesTheWholeText()
    {
        m_result->setText(QStringLiteral("one\r\ntwo"));
        select(0, 2);
        m_actions->copyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\r\ntwo"));
    }

    // Through the finish page: focus selects all, the folder picker fills the box.
    void finishPageAndFolderPicker()
    {
        WizardDriver d;
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.type("TxtContent", QStringLiteral("alpha bravo"));
        d.nextUntil(6);
        d.prompts.foldersToChoose << QStringLiteral("/tmp/out") << QString();
        d.click("CmBrowseFolder");
        QCOMPARE(d.prompts.messages.size(), 0);
        QCOMPARE(d.text("TxtBrowseFolder"), QStringLiteral("/tmp/out"));
        d.click("CmBrowseFolder"); // cancelled: the box is emptied
        QCOMPARE(d.text("TxtBrowseFolder"), QString());

        d.choose("OptNo");
        d.next();
        auto *result = d.get<TextBox>("TxtFinishContant");
        d.get("TxtLinkTo")->setFocus();
        result->setFocus();
        QCOMPARE(result->selectedText(), result->text());
        QVERIFY(!result->text().isEmpty());
    }
};

QTEST_MAIN(TestResultActions)
#include "tst_resultactions.moc"

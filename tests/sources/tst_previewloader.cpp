#include "fixtures/LocalWebServer.h"
#include "sources/PreviewLoader.h"
#include "sources/TextFiles.h"
#include "sources/WebPageFetcher.h"
#include "wizard/WizardDriver.h"

#include <QApplication>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

// The original content from a text file or a web page, as the wizard loads it.
class TestPreviewLoader : public QObject
{
    Q_OBJECT

private slots:
    void browsePutsTheChosenPathIntoTheBox()
    {
        WizardDriver d;
        d.prompts.filesToOpen << QStringLiteral("/some/where/notes.txt") << QString();
        d.click("cmdBrowse");
        QCOMPARE(d.prompts.filters, QStringList{"Text Files(*.txt)|*.Txt|All Files(*.*)|*.*"});
        QCOMPARE(d.text("txtBrowse"), QStringLiteral("/some/where/notes.txt"));
        d.click("cmdBrowse"); // cancelled: the box keeps its path
        QCOMPARE(d.text("txtBrowse"), QStringLiteral("/some/where/notes.txt"));
    }

    void textFilesLoadWholeAndUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("preview");
        QTest::newRow("UTF-8 with CR LF") << QByteArray("caf\xC3\xA9 one\r\ntwo\r\n") << "café one\r\ntwo\r\n";
        QTest::newRow("legacy bytes") << QByteArray("\x93quoted\x94 na\xEFve") << "\u201Cquoted\u201D naïve";
        QTest::newRow("bare line feeds") << QByteArray("one\ntwo") << "one\r\ntwo";
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void textFilesLoadWholeAndUnchanged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, preview);
        WizardDriver d;
        const QString file = d.path(QStringLiteral("source.txt"));
        writeBytes(file, bytes);
        d.choose("Opt2");
        d.type("txtBrowse", file);
        d.next();
        QCOMPARE(d.text("txtPreview"), preview);
        QVERIFY(d.prompts.messages.isEmpty());
    }

    void filesThatCannotBeUsedLeaveThePreviewEmpty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("messages");
        QTest::newRow("no such file") << "missing.txt" << QByteArray() << 1;
        QTest::newRow("a folder") << "." << QByteArray() << 1;
        QTest::newRow("binary data") << "picture.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 1;
    }
    void filesThatCannotBeUsedLeaveThePreviewEmpty()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, messages);
        WizardDriver d;
        const QString file = d.path(name);
        if (!bytes.isEmpty())
            writeBytes(file, bytes);
        d.choose("Opt2");
        d.type("txtBrowse", file);
        d.next();
        QCOMPARE(d.step(), 1);
        QCOMPARE(d.text("txtPreview"), QString());
        QCOMPARE(d.prompts.messages.size(), messages);
        if (messages)
            QVERIFY2(d.prompts.messages[0].text.contains(QDir::toNativeSeparators(QFileInfo(file).filePath())),
                     qPrintable(d.prompts.messages[0].text));
    }

    // NUL characters make no text, whether pasted or read from a file.
    void pastedTextWithNulIsRefusedAsSuchAFileIs()
    {
        WizardDriver d;
        d.type("TxtContent", QStringLiteral("before") + QChar(0) + QStringLiteral("after"));
        d.next();
        QCOMPARE(d.step(), 1);
        QCOMPARE(d.text("txtPreview"), QString());
        QCOMPARE(d.prompts.messages.size(), 1);
        QVERIFY2(d.prompts.messages[0].text.contains(QStringLiteral("NUL")), qPrintable(d.prompts.messages[0].text));
        QCOMPARE(d.text("TxtContent").size(), 12); // what was pasted stays
    }

    void webPageTextGoesThroughTheScratchFile()
    {
        LocalWebServer server;
        const QString address = server.serve(
            "/article",
            "<html><body><h1>Title</h1><p>First <span style=\"display:none\">secret</span>paragraph.</p>"
            "<script>var p = document.createElement('p'); p.textContent = 'Added by script';"
            "document.body.appendChild(p);</script></body></html>");
        WizardDriver d;
        d.choose("Opt3");
        d.type("txtWebPage", address);
        d.next();
        QCOMPARE(d.step(), 1);
        QVERIFY(d.get("LblPleaseWait")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!d.text("txtPreview").isEmpty(), 30000);
        const QString preview = d.text("txtPreview");
        QVERIFY2(preview.startsWith(QStringLiteral("Title\r\n")), qPrintable(preview));
        QVERIFY(preview.contains(QStringLiteral("First paragraph.")));
        QVERIFY(preview.contains(QStringLiteral("Added by script")));
        QVERIFY(!preview.contains(QStringLiteral("secret")));
        QVERIFY(preview.endsWith(QStringLiteral("\r\n")));
        QVERIFY(d.get("LblPleaseWait")->isHidden());
        QCOMPARE(ReadTextFile(d.path(QStringLiteral("lmth991.dat"))).text, preview);
    }

    void unreachablePagesGiveTheFailureText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("404") << "404";
        QTest::newRow("refused") << "refused";
    }
    void unreachablePagesGiveTheFailureText()
    {
        QFETCH(QString, kind);
        LocalWebServer server;
        const QString address = kind == QLatin1String("404") ? server.serve("/gone", "<p>Not here</p>", 404)
                                                              : LocalWebServer::refusedAddress();
        WizardDriver d;
        d.choose("Opt3");
        d.type("txtWebPage", address);
        d.next();
        QTRY_VERIFY_WITH_TIMEOUT(d.get("LblPleaseWait")->isHidden(), 30000);
        QCOMPARE(d.text("txtPreview"), WebPageFetcher::FailureText + QStringLiteral("\r\n"));
        // The user is told which page failed and why.
        QCOMPARE(d.prompts.messages.size(), 1);
        const QString message = d.prompts.messages[0].text;
        QVERIFY2(message.contains(address), qPrintable(message));
        if (kind == QLatin1String("404"))
            QVERIFY2(message.contains(QStringLiteral("404")), qPrintable(message));
    }

    void aPageThatComesAfterTheCountIsCounted()
    {
        LocalWebServer server;
        const QString address = server.serve("/late", "<p>one two three four</p>", 200, 1500);
        WizardDriver d;
        d.choose("Opt3");
        d.type("txtWebPage", address);
        d.nextUntil(4); // Next does not wait: the words are counted before the page is in
        QCOMPARE(d.text("txtNewContent"), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(d.get("LblPleaseWait")->isHidden(), 30000);
        QCOMPARE(d.text("txtNewContent"), QStringLiteral("4"));
    }

    void aPageThatNeverCompletesLeavesTheNoticeUp()
    {
        LocalWebServer server;
        const QString address = server.serve("/slow", QByteArray(), 200, 0, true);
        WizardDriver d;
        d.choose("Opt3");
        d.type("txtWebPage", address);
        d.next();
        d.next(); // the wizard does not wait
        QCOMPARE(d.step(), 2);
        QTest::qWait(1500);
        QVERIFY(d.get("LblPleaseWait")->isVisible());
        QCOMPARE(d.text("txtPreview"), QString());
    }
};

int main(int argc, char *argv[])
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestPreviewLoader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_previewloader.moc"

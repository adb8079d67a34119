#include "fixtures/LocalWebServer.h"
#include "sources/WebPageFetcher.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

constexpr int LoadTimeoutMs = 20000;

} // namespace

// Serves its own pages on 127.0.0.1 and checks what the fetcher reads.
class TestWebPageFetcher : public QObject
{
    Q_OBJECT
    LocalWebServer m_web;
    int m_served = 0;

    QString servePage(const QByteArray &path, const QByteArray &body, int status = 200, int delayMs = 0)
    {
        return m_web.serve(path, body, status, delayMs);
    }

    // Waits for the first text and then a little longer, so a second emission would be seen.
    static QString onlyText(QSignalSpy &spy)
    {
        if (spy.isEmpty() && !spy.wait(LoadTimeoutMs))
            return QStringLiteral("<no pageTextReady within the timeout>");
        QTest::qWait(300);
        if (spy.size() != 1)
            return QStringLiteral("<pageTextReady came %1 times>").arg(spy.size());
        return spy.first().first().toString();
    }

private slots:
    void initTestCase()
    {
        // The engine starts with the first page; pay for that here, not in a timed test.
        WebPageFetcher fetcher;
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        fetcher.navigate(servePage("/warm-up", "<p>ready</p>"));
        QVERIFY(spy.wait(LoadTimeoutMs));
    }

    void bodyTextArrivesAsRendered_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("expected");

        QTest::newRow("script-added text in, hidden text out")
            << QByteArrayLiteral("<!DOCTYPE html><html><head><title>Title stays out</title></head><body>"
                                 "<p>First paragraph</p><div style=\"display:none\">Hidden words</div>"
                                 "<p>Second   paragraph</p><script>var p = document.createElement('p');"
                                 "p.textContent = 'Added by script'; document.body.appendChild(p);</script>")
            << QStringLiteral("First paragraph\n\nSecond paragraph\n\nAdded by script");
        QTest::newRow("blocks on separate lines, written by the page")
            << QByteArrayLiteral("<body><div>one</div><div>two<br>three</div>"
                                 "<script>document.write('<div>four</div>')</script></body>")
            << QStringLiteral("one\ntwo\nthree\nfour");
        QTest::newRow("non-ASCII text intact")
            << QByteArray("<body><p>caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC</p></body>")
            << QStringLiteral("café – naïve € 日本");
        QTest::newRow("white space kept as rendered")
            << QByteArrayLiteral("<body><pre>  indented\n\ttabbed  </pre><p>after</p></body>")
            << QStringLiteral("  indented\n\ttabbed  \n\nafter");
        QTest::newRow("empty body is empty text, not failure") << QByteArrayLiteral("<body></body>") << QString();
    }

    void bodyTextArrivesAsRendered()
    {
        QFETCH(QByteArray, html);
        QFETCH(QString, expected);

        WebPageFetcher fetcher;
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        fetcher.navigate(servePage("/page-" + QByteArray::number(++m_served), html));
        QCOMPARE(onlyText(spy), expected);
    }

    void unreadablePagesGiveFailureText_data()
    {
        QTest::addColumn<QString>("address");

        QTest::newRow("404 with an HTML body") << servePage("/missing", "<p>Sorry, not here</p>", 404);
        QTest::newRow("500 with an HTML body") << servePage("/broken", "<p>Server trouble</p>", 500);

        QTest::newRow("nothing listening") << LocalWebServer::refusedAddress();
        QTest::newRow("not a URL") << QStringLiteral("not a web address");
        QTest::newRow("empty address") << QString();
        QTest::newRow("web address without a host") << QStringLiteral("http://");
        QTest::newRow("script address") << QStringLiteral("javascript:'<p>text</p>'");
        QTest::newRow("address the engine ignores") << QStringLiteral("http://999.999.999.999/");
    }

    void unreadablePagesGiveFailureText()
    {
        QFETCH(QString, address);

        WebPageFetcher fetcher;
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        fetcher.navigate(address);
        QCOMPARE(onlyText(spy), WebPageFetcher::FailureText);
    }

    void pagesThatNeverFinishAreGivenUp_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("never answers") << m_web.serve("/silent", "", 200, 0, true);
        QTest::newRow("script loops") << servePage("/loop", "<p>stuck</p><script>while (true) {}</script>");
    }
    void pagesThatNeverFinishAreGivenUp()
    {
        QFETCH(QString, address);
        WebPageFetcher fetcher;
        fetcher.setPageTimeout(3000);
        QSignalSpy failed(&fetcher, &WebPageFetcher::pageFailed);
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        fetcher.navigate(address);
        QCOMPARE(onlyText(spy), WebPageFetcher::FailureText);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains(QStringLiteral("longer than")));
        // A page from the same server loads afterwards: nothing is left stuck.
        spy.clear();
        fetcher.navigate(servePage("/after", "<p>after the stuck one</p>"));
        QCOMPARE(onlyText(spy), QStringLiteral("after the stuck one"));
    }

    void oneFetcherServesEveryNavigation()
    {
        WebPageFetcher fetcher;
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        for (const QString &address : {servePage("/first", "<p>first page</p>"), servePage("/gone", "<p>gone</p>", 404),
                                       servePage("/second", "<p>second page</p>")}) {
            spy.clear();
            fetcher.navigate(address);
            QVERIFY(spy.wait(LoadTimeoutMs));
        }
        QCOMPARE(onlyText(spy), QStringLiteral("second page"));
    }

    void lastTextIsTheNewestPages_data()
    {
        QTest::addColumn<QString>("older");
        QTest::addColumn<QString>("newer");
        QTest::addColumn<QString>("expected");

        const QString quick = servePage("/older-quick", "<p>older page</p>");
        const QString slow = servePage("/older-slow", "<p>older page</p>", 200, 400);
        const QString newer = servePage("/newer", "<p>newer page</p>");
        QTest::newRow("older answered quickly") << quick << newer << QStringLiteral("newer page");
        QTest::newRow("older still loading") << slow << newer << QStringLiteral("newer page");
        QTest::newRow("older not a URL") << QStringLiteral("no address") << newer << QStringLiteral("newer page");
        QTest::newRow("newer not a URL") << slow << QStringLiteral("no address") << WebPageFetcher::FailureText;
    }

    void lastTextIsTheNewestPages()
    {
        QFETCH(QString, older);
        QFETCH(QString, newer);
        QFETCH(QString, expected);

        WebPageFetcher fetcher;
        QSignalSpy spy(&fetcher, &WebPageFetcher::pageTextReady);
        fetcher.navigate(older);
        fetcher.navigate(newer);
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().first().toString() == expected, LoadTimeoutMs);
        // Let anything still on its way arrive: nothing may come after the newest answer.
        QTest::qWait(1000);
        QCOMPARE(spy.last().first().toString(), expected);
    }

    void destroyingWhileBusyIsSafe()
    {
        const QString slow = servePage("/slow", "<p>slow page</p>", 200, 300);
        const QString quick = servePage("/quick", "<p>quick page</p>");

        // While its page is still loading.
        auto loading = std::make_unique<WebPageFetcher>();
        loading->navigate(slow);
        QTest::qWait(50);
        loading.reset();

        // Between the page finishing and its text being read.
        QPointer<WebPageFetcher> reading = new WebPageFetcher;
        reading->navigate(quick);
        auto *page = reading->findChild<QWebEnginePage *>();
        QVERIFY(page);
        connect(page, &QWebEnginePage::loadFinished, this, [this, &reading] {
            QTimer::singleShot(0, this, [&reading] { delete reading.data(); });
        });
        QTRY_VERIFY_WITH_TIMEOUT(reading.isNull(), LoadTimeoutMs);

        // Let go from its own signal, with a newer load already started.
        QPointer<WebPageFetcher> answering = new WebPageFetcher;
        connect(answering.data(), &WebPageFetcher::pageTextReady, this, [&answering, quick] {
            answering->navigate(quick);
            answering->deleteLater();
        });
        answering->navigate(quick);
        QTRY_VERIFY_WITH_TIMEOUT(answering.isNull(), LoadTimeoutMs);

        QTest::qWait(600); // anything late would land now
    }

    void chromiumFlagsAreMerged_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<bool>("root");
        QTest::addColumn<QByteArray>("merged");

        const QByteArray own = "--disable-gpu --disable-background-networking";
        QTest::newRow("none yet") << QByteArray() << false << own;
        QTest::newRow("none yet, root") << QByteArray() << true << own + " --no-sandbox";
        QTest::newRow("others kept first") << QByteArray("--lang=fr  --enable-logging") << false
                                           << "--lang=fr  --enable-logging " + own;
        QTest::newRow("present ones not repeated") << QByteArray("--no-sandbox --disable-gpu") << true
                                                   << QByteArray("--no-sandbox --disable-gpu --disable-background-networking");
        QTest::newRow("all present is unchanged") << QByteArray("--disable-background-networking --disable-gpu")
                                                  << false << QByteArray("--disable-background-networking --disable-gpu");
        QTest::newRow("look-alike flag is not ours") << QByteArray("--disable-gpu-compositing ") << false
                                                     << "--disable-gpu-compositing " + own;
    }

    void chromiumFlagsAreMerged()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, root);
        QFETCH(QByteArray, merged);

        QCOMPARE(mergedChromiumFlags(existing, root), merged);
        QCOMPARE(mergedChromiumFlags(merged, root), merged);
    }

    void environmentIsPrepared()
    {
        const QList<QByteArray> flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").simplified().split(' ');
        QCOMPARE(flags.count("--disable-gpu"), 1);
        QCOMPARE(flags.count("--disable-background-networking"), 1);
        QCOMPARE(flags.count("--no-sandbox"), ::geteuid() == 0 ? 1 : 0);
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));

        const QFileInfo runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
        QVERIFY(runtime.isDir());
        if (runtime.fileName().startsWith(QLatin1String("penrook-runtime-"))) // ours: private
            QCOMPARE(runtime.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                     QFile::Permissions());
    }
};

int main(int argc, char **argv)
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestWebPageFetcher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webpagefetcher.moc"

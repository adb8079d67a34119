#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QVariant;
class QWebEnginePage;
class QWebEngineProfile;

// Loads web pages in a hidden browser page and hands back the text of their body.
class WebPageFetcher : public QObject
{
    Q_OBJECT
public:
    // The text handed back when the page or its body cannot be read.
    static inline const QString FailureText = QStringLiteral("No Chat Or Pm Open ?");

    explicit WebPageFetcher(QObject *parent = nullptr);
    ~WebPageFetcher() override;

    // Starts loading `address` exactly as typed (nothing is added to it, no scheme is prefixed).
    // The browser page is created on first use. Returns at once; pageTextReady follows.
    void navigate(const QString &address);
    // How long a page may take to load and give up its text (60 seconds).
    void setPageTimeout(int milliseconds) { m_pageWatch.setInterval(milliseconds); }

signals:
    // Once for every completed load: the body's inner text (document.body.innerText, as the
    // browser renders it: hidden elements left out, text added by the page's scripts included),
    // or FailureText when the load failed (refused connection, unreachable host, HTTP error
    // status such as 404, an address that is not a URL) or there is no body to read.
    void pageTextReady(const QString &text);
    // Just before pageTextReady hands back FailureText for a load that failed:
    // why, in words for the user ("the server answered 404", "it took longer
    // than 60 seconds", the engine's own reason).
    void pageFailed(const QString &reason);

private:
    void ensurePage();
    void onLoadFinished(bool ok);
    void onTextRead(quint64 ticket, const QVariant &result);
    void answerPendingUpTo(quint64 ticket, const QString &text);
    // Gives up on the load or the text read in hand: the page goes, with a
    // renderer a looping script may keep busy, and a new one is made when needed.
    void giveUp(const QString &reason);

    QWebEngineProfile *m_profile = nullptr;
    QWebEnginePage *m_page = nullptr;
    // Completed loads whose text has not been emitted yet, oldest first.
    QList<quint64> m_pending;
    quint64 m_nextTicket = 1;
    // Runs from navigate() until the load starts; the engine ignores some addresses outright.
    QTimer m_startWatch;
    // Runs from navigate() until the text is read: a page that never finishes.
    QTimer m_pageWatch;
    QString m_failure; // why the load in hand failed, as the engine said
};

// Prepares the process for the browser engine; call before the QApplication is created.
// Always adds "--disable-gpu --disable-background-networking" to QTWEBENGINE_CHROMIUM_FLAGS
// (keeping flags already there) and, when the process runs as root (geteuid() == 0), also
// turns the engine's sandbox off ("--no-sandbox" and QTWEBENGINE_DISABLE_SANDBOX=1), since
// the engine refuses to start as root otherwise. Sets XDG_RUNTIME_DIR to a private 0700 folder
// (created under the temp folder, e.g. /tmp/penrook-runtime-<uid>) when it is not set.
// Sets Qt::AA_ShareOpenGLContexts.
void prepareWebEngineEnvironment();

// The Chromium flag string prepareWebEngineEnvironment sets: `existing` unchanged, followed by
// each of its own flags that `existing` does not already hold ("--no-sandbox" only when `root`).
QByteArray mergedChromiumFlags(const QByteArray &existing, bool root);

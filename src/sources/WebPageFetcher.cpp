#include "sources/WebPageFetcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString BodyTextScript = QStringLiteral("document.body ? document.body.innerText : null");

// Loaded in place of an address that names no page, so its failure is reported in
// turn with the loads around it.
const QUrl StandInUrl(QStringLiteral("about:blank?penrook-unreadable-address"));

// How long a load may take to start before the engine is taken to have ignored it.
constexpr int StartTimeoutMs = 5000;
// How long a page may take to load and give up its text.
constexpr int PageTimeoutSeconds = 60;

// False for what the engine would quietly turn into an empty page or ignore.
bool namesPage(const QUrl &url)
{
    if (!url.isValid() || url.isRelative())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("javascript"))
        return false;
    static const QStringList hostSchemes{QStringLiteral("http"), QStringLiteral("https"),
                                         QStringLiteral("ftp"), QStringLiteral("ws"),
                                         QStringLiteral("wss")};
    return !hostSchemes.contains(scheme) || !url.host().isEmpty();
}

} // namespace

WebPageFetcher::WebPageFetcher(QObject *parent)
    : QObject(parent)
{
    m_startWatch.setSingleShot(true);
    m_startWatch.setInterval(StartTimeoutMs);
    connect(&m_startWatch, &QTimer::timeout, this, [this] { onLoadFinished(false); });
    m_pageWatch.setSingleShot(true);
    m_pageWatch.setInterval(PageTimeoutSeconds * 1000);
    connect(&m_pageWatch, &QTimer::timeout, this, [this] {
        giveUp(QStringLiteral("it took longer than %1 seconds").arg(m_pageWatch.interval() / 1000));
    });
}

WebPageFetcher::~WebPageFetcher()
{
    // The page must go before its profile. Deleting it may answer pending script
    // callbacks at once; with nothing pending they are ignored.
    m_pending.clear();
    m_startWatch.stop();
    m_pageWatch.stop();
    if (m_page) {
        disconnect(m_page, nullptr, this, nullptr);
        delete m_page;
        m_page = nullptr;
    }
    delete m_profile;
    m_profile = nullptr;
}

void WebPageFetcher::navigate(const QString &address)
{
    ensurePage();
    const QUrl url(address);
    m_failure.clear();
    m_page->load(namesPage(url) ? url : StandInUrl);
    m_startWatch.start();
    m_pageWatch.start();
}

void WebPageFetcher::giveUp(const QString &reason)
{
    m_startWatch.stop();
    m_pageWatch.stop();
    if (m_page) {
        disconnect(m_page, nullptr, this, nullptr);
        m_page->deleteLater();
        m_page = nullptr;
    }
    if (m_pending.isEmpty())
        m_pending.append(m_nextTicket++);
    emit pageFailed(reason);
    answerPendingUpTo(m_pending.last(), FailureText);
}

void WebPageFetcher::ensurePage()
{
    if (m_page)
        return;
    if (!m_profile) {
        // No storage name: off the record, so nothing reaches the disk.
        m_profile = new QWebEngineProfile(this);
        m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    }

    m_page = new QWebEnginePage(m_profile, this);
    connect(m_page, &QWebEnginePage::loadStarted, &m_startWatch, &QTimer::stop);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebPageFetcher::onLoadFinished);
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
            return;
        m_failure = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
                        ? QStringLiteral("the server answered %1").arg(info.errorCode())
                        : info.errorString();
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        // Script callbacks of a dead renderer may never come.
        if (!m_pending.isEmpty())
            answerPendingUpTo(m_pending.last(), FailureText);
    });
}

void WebPageFetcher::onLoadFinished(bool ok)
{
    m_startWatch.stop();
    const quint64 ticket = m_nextTicket++;
    m_pending.append(ticket);
    if (!ok || m_page->requestedUrl() == StandInUrl) {
        m_pageWatch.stop();
        // The engine tells why a load failed just after it says that it did.
        const bool standIn = m_page->requestedUrl() == StandInUrl;
        QTimer::singleShot(0, this, [this, ticket, standIn] {
            if (!m_pending.contains(ticket))
                return;
            emit pageFailed(standIn              ? QStringLiteral("the address names no page")
                            : m_failure.isEmpty() ? QStringLiteral("the page did not load")
                                                  : m_failure);
            answerPendingUpTo(ticket, FailureText);
        });
        return;
    }
    // The application world keeps the page's own scripts from redefining what we read.
    const QPointer<WebPageFetcher> self(this);
    m_page->runJavaScript(BodyTextScript, QWebEngineScript::ApplicationWorld,
                          [self, ticket](const QVariant &result) {
                              if (self)
                                  self->onTextRead(ticket, result);
                          });
}

void WebPageFetcher::onTextRead(quint64 ticket, const QVariant &result)
{
    if (!m_pending.contains(ticket))
        return;
    m_pageWatch.stop();
    const QString text = result.typeId() == QMetaType::QString ? result.toString() : FailureText;
    answerPendingUpTo(ticket, text);
}

// Emits `text` for `ticket` and FailureText for every older load still waiting, so the
// answers come in load order and a late answer can never follow a newer one.
void WebPageFetcher::answerPendingUpTo(quint64 ticket, const QString &text)
{
    const QPointer<WebPageFetcher> self(this);
    while (!m_pending.isEmpty() && m_pending.first() <= ticket) {
        const quint64 answered = m_pending.takeFirst();
        emit pageTextReady(answered == ticket ? text : FailureText);
        if (!self)
            return;
    }
}

QByteArray mergedChromiumFlags(const QByteArray &existing, bool root)
{
    QList<QByteArray> own{QByteArrayLiteral("--disable-gpu"),
                          QByteArrayLiteral("--disable-background-networking")};
    if (root)
        own.append(QByteArrayLiteral("--no-sandbox"));

    const QList<QByteArray> present = existing.simplified().split(' ');
    QByteArray merged = existing;
    for (const QByteArray &flag : own) {
        if (present.contains(flag))
            continue;
        if (!merged.isEmpty() && !QChar::isSpace(uchar(merged.back())))
            merged += ' ';
        merged += flag;
    }
    return merged;
}

namespace {

// A folder only this user can enter, or an empty string when none can be made.
QString privateRuntimeFolder()
{
    const uid_t uid = ::geteuid();
    const QByteArray path = QFile::encodeName(
        QDir::tempPath() + QStringLiteral("/penrook-runtime-") + QString::number(uid));
    if (::mkdir(path.constData(), 0700) == 0)
        return QFile::decodeName(path);

    struct stat info{};
    if (errno == EEXIST && ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == uid && ::chmod(path.constData(), 0700) == 0) {
        return QFile::decodeName(path);
    }

    // The usual name is taken by someone else: make a fresh one.
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/penrook-runtime-XXXXXX"));
    if (::mkdtemp(pattern.data()))
        return QFile::decodeName(pattern);
    return QString();
}

} // namespace

void prepareWebEngineEnvironment()
{
    const bool root = ::geteuid() == 0;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", mergedChromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), root));
    if (root)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString folder = privateRuntimeFolder();
        if (!folder.isEmpty())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    }

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

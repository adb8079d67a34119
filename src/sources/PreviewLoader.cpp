#include "sources/PreviewLoader.h"

#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Titles.h"
#include "sources/TextFiles.h"
#include "sources/WebPageFetcher.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

PreviewLoader::PreviewLoader(TextBox *preview, QLabel *pleaseWait, QString programFolder, Prompts &prompts,
                             QObject *parent)
    : QObject(parent), m_preview(preview), m_pleaseWait(pleaseWait), m_programFolder(std::move(programFolder)),
      m_prompts(prompts)
{
}

PreviewLoader::~PreviewLoader() = default;

void PreviewLoader::LoadTextIntoPreview(const QString &path)
{
    // A file gone since it was chosen, or a folder, is said to be so: an empty
    // preview with no word would pass for an empty file.
    if (!FileExists(path)) {
        const QString why = QFileInfo(path).isDir() ? QStringLiteral("is a folder, not a file")
                                                    : QStringLiteral("does not exist");
        m_prompts.message(QStringLiteral("%1 %2.").arg(QDir::toNativeSeparators(path), why), Prompts::Exclamation,
                          MainCaption);
        return;
    }
    const TextFileContent content = ReadTextFile(path, LargestSourceFile);
    if (!content.ok()) {
        m_prompts.message(content.error, Prompts::Exclamation, MainCaption);
        return;
    }
    if (content.text.contains(QChar(0))) {
        m_prompts.message(QStringLiteral("%1 is not a text file.").arg(QDir::toNativeSeparators(path)),
                          Prompts::Exclamation, MainCaption);
        return;
    }
    m_preview->setText(content.text);
}

void PreviewLoader::takePastedText(const QString &text)
{
    if (text.contains(QChar(0))) {
        m_prompts.message(QStringLiteral("The pasted content is not text: it holds NUL characters."),
                          Prompts::Exclamation, MainCaption);
        return;
    }
    m_preview->setText(text);
}

QString PreviewLoader::scratchPath() const
{
    return QDir(m_programFolder).filePath(ScratchFileName);
}

void PreviewLoader::fetchWebPage(const QString &address)
{
    m_pleaseWait->show();
    if (auto *notice = qobject_cast<NoticeLabel *>(m_pleaseWait))
        announce(notice);
    if (!m_fetcher) {
        m_fetcher = new WebPageFetcher(this);
        connect(m_fetcher, &WebPageFetcher::pageTextReady, this, [this](const QString &text) {
            FetchPageText(text);
            m_pleaseWait->hide();
            emit pageTextArrived();
        });
        // The failure text still goes to the preview; the user is told why.
        connect(m_fetcher, &WebPageFetcher::pageFailed, this, [this](const QString &reason) {
            m_prompts.message(QStringLiteral("The page %1 could not be loaded: %2.").arg(m_address, reason),
                              Prompts::Exclamation, MainCaption);
        });
    }
    m_address = address;
    m_fetcher->navigate(address);
}

void PreviewLoader::FetchPageText(const QString &pageText)
{
    // The text passes through the scratch file, as any loaded file would. Where
    // the program folder cannot be written, it goes to the preview directly.
    // The browser separates blocks with bare line feeds; files here break lines with CR LF.
    const QString text = TextBox::toCrLf(pageText);
    const QString path = scratchPath();
    if (WriteTextFile(path, {text}))
        m_preview->setText(text + QStringLiteral("\r\n"));
    else
        LoadTextIntoPreview(path);
}

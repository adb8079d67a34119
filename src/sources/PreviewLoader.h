#pragma once

#include <QObject>
#include <QString>

class Prompts;
class QLabel;
class TextBox;
class WebPageFetcher;

// Fills the preview with the original content from a text file or a web page.
class PreviewLoader : public QObject
{
    Q_OBJECT
public:
    static inline const QString TextFileFilter = QStringLiteral("Text Files(*.txt)|*.Txt|All Files(*.*)|*.*");
    static inline const QString ScratchFileName = QStringLiteral("lmth991.dat");

    PreviewLoader(TextBox *preview, QLabel *pleaseWait, QString programFolder, Prompts &prompts,
                  QObject *parent = nullptr);
    ~PreviewLoader() override;

    // Puts the whole text of `path` into the preview. A path that names no file
    // (gone, or a folder), a file that cannot be read, or one that holds binary
    // data, is reported and leaves the preview as it is.
    void LoadTextIntoPreview(const QString &path);

    // Puts pasted text into the preview. Text holding NUL characters is refused
    // as a file holding NUL bytes is: reported, the preview left as it is.
    void takePastedText(const QString &text);

    // Shows the waiting notice and starts loading `address`, exactly as typed.
    // When the page is complete its text goes to the preview, through the
    // scratch file in the program folder, and the notice goes away. A page that
    // fails to load, or takes longer than a minute, is reported with its reason,
    // and the fetcher's failure text goes to the preview.
    void fetchWebPage(const QString &address);

    QString scratchPath() const;

signals:
    // A web page's text has reached the preview, perhaps after Next went on.
    void pageTextArrived();

private:
    void FetchPageText(const QString &pageText);

    TextBox *m_preview;
    QLabel *m_pleaseWait;
    QString m_programFolder;
    Prompts &m_prompts;
    WebPageFetcher *m_fetcher = nullptr; // created on first use
    QString m_address;                   // the page asked for last
};

#include "sources/ResultActions.h"

#include "platform/Prompts.h"
#include "platform/ReplaceAll.h"
#include "platform/TextBox.h"
#include "sources/TextFiles.h"
#include "platform/Titles.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>

#include <algorithm>

namespace {

QString hrefValue(const QString &address)
{
    // An ordinary address is written bare. One that could end the attribute or
    // the tag early is quoted, with what would end them escaped, so it can only
    // ever be the address (and & too, so the browser reads it back as typed).
    const bool plain = std::none_of(address.cbegin(), address.cend(), [](QChar c) {
        return c.isSpace() || c == u'"' || c == u'\'' || c == u'<' || c == u'>';
    });
    if (plain)
        return address;
    QString quoted = address;
    quoted.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'\'', QStringLiteral("&#39;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

ResultActions::ResultActions(TextBox *result, QLineEdit *linkAddress, Prompts &prompts, QObject *parent)
    : QObject(parent), m_result(result), m_linkAddress(linkAddress), m_prompts(prompts)
{
}

void ResultActions::SelectAllText(TextBox *box)
{
    box->selectAll();
}

void ResultActions::copyToClipboard()
{
    QGuiApplication::clipboard()->setText(m_result->text());
}

QString ResultActions::linkEverywhere(const QString &text, const QString &phrase, const QString &address)
{
    const QString link =
        QStringLiteral("<a href=") + hrefValue(address) + QLatin1Char('>') + phrase + QStringLiteral("</a>");
    return replaceAll(text, phrase, link, Qt::CaseSensitive);
}

void ResultActions::link()
{
    if (m_linkAddress->text().isEmpty()) {
        m_prompts.message(QStringLiteral("Please fill your anchor text."), Prompts::Critical, MainCaption);
        m_linkAddress->setFocus();
        return;
    }
    const QString phrase = m_result->selectedText();
    if (phrase.isEmpty()) {
        m_prompts.message(QStringLiteral("Please select your anchor text in preview window."), Prompts::Critical,
                          MainCaption);
        return;
    }
    m_result->setText(linkEverywhere(m_result->text(), phrase, m_linkAddress->text()));
}

QStringList ResultActions::htmlPage(const QString &text)
{
    return {QStringLiteral("<Html>"),  QStringLiteral("<Head>"),  QStringLiteral("<Title>Quillmorph"),
            QStringLiteral("</Title>"), QStringLiteral("</Head>"), QStringLiteral("<body>"),
            text,                       QStringLiteral("</body>"), QStringLiteral("</Html>")};
}

void ResultActions::exportToHtml()
{
    const QString path = m_prompts.saveFile(HtmlFilter);
    if (path.isEmpty())
        return;
    const QString text = m_result->text();
    if (text.isEmpty()) {
        m_prompts.message(QStringLiteral("There is no text to export: the result box is empty."),
                          Prompts::Exclamation, MainCaption);
        return;
    }
    // The chooser leaves replacing to the program, which asks as the desktop's own would.
    if (!mayReplace(m_prompts, path, MainCaption))
        return;
    if (auto error = WriteTextFile(path, htmlPage(text))) {
        m_prompts.message(*error, Prompts::Critical, MainCaption);
        return;
    }
    m_prompts.message(QStringLiteral("Html File Created"), Prompts::Information, ApplicationTitle);
}

void ResultActions::openFile()
{
    const QString path = m_prompts.openFile(OpenFilter);
    if (path.isEmpty())
        return;
    const TextFileContent content = ReadTextFile(path, LargestSourceFile);
    if (!content.ok()) {
        m_prompts.message(content.error, Prompts::Critical, MainCaption);
        return;
    }
    m_result->setText(content.text);
    emit fileOpened();
}



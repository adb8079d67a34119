#include "wizard/PreviewPage.h"

#include "platform/Accessibility.h"
#include "platform/TextBox.h"
#include "sources/PreviewLoader.h"
#include "wizard/OriginalPage.h"

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::TextBox, "txtPreview", "Preview", 120, 240, 9495, 3615},
};

} // namespace

PreviewPage::PreviewPage(QWidget *window, const OriginalPage &original, QLabel *pleaseWait,
                         const QString &programFolder, Prompts &prompts)
    : WizardPage("FraPreview", "Preview", window, Controls, QRect(120, 1320, 9855, 3975)), m_original(original)
{
    // No border and no caption; the ground is the system's window colour.
    setTitle(QString());
    setStyleSheet(QStringLiteral("WizardPage { border: none; margin-top: 0; }"));
    m_preview = control<TextBox>("txtPreview");
    nameForScreenReaders(m_preview, QStringLiteral("Preview of the original content"),
                         QStringLiteral("The text to rewrite; it may be edited here."));
    m_loader = new PreviewLoader(m_preview, pleaseWait, programFolder, prompts, this);
}

void PreviewPage::enter()
{
    m_preview->setText(QString());
    switch (m_original.sourceKind()) {
    case SourceKind::Paste:
        m_loader->takePastedText(m_original.pastedText());
        break;
    case SourceKind::TextFile:
        m_loader->LoadTextIntoPreview(m_original.sourceFilePath());
        break;
    case SourceKind::WebPage:
        m_loader->fetchWebPage(m_original.pageAddress());
        break;
    }
}

void PreviewPage::reset()
{
    m_preview->setText(QString());
}

#include "wizard/PreviewPage.h"

#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Titles.h"
#include "sources/PreviewLoader.h"
#include "wizard/OriginalPage.h"

#include <QTimer>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::TextBox, "txtPreview", "Preview", 120, 240, 9495, 3315},
    {ControlSpec::Notice, "LblSpintax", "", 120, 3615, 9495, 255},
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
    m_prompts = &prompts;
    m_spintaxNotice = control<NoticeLabel>("LblSpintax");
    // A text of megabytes is read again once the typing pauses, not at every key.
    m_readLater = new QTimer(this);
    m_readLater->setSingleShot(true);
    m_readLater->setInterval(250);
    connect(m_readLater, &QTimer::timeout, this, &PreviewPage::readSpintax);
    connect(m_preview, &TextBox::textChanged, this, [this] {
        m_stale = true;
        m_plainAgreed = false;
        m_readLater->start();
    });
}

void PreviewPage::readSpintax()
{
    if (!m_stale)
        return;
    m_stale = false;
    m_readLater->stop();
    Spintax::Reading reading = Spintax::read(m_preview->text());
    m_fault = reading.fault;
    m_spintax = reading.spintax ? std::make_shared<const Spintax>(std::move(*reading.spintax)) : nullptr;
    QString notice;
    if (m_spintax) {
        const qsizetype groups = m_spintax->groups();
        const quint64 variations = m_spintax->variations();
        notice = QStringLiteral("This text holds %1 %2 and %3 distinct %4")
                     .arg(groups)
                     .arg(groups == 1 ? QStringLiteral("group") : QStringLiteral("groups"))
                     .arg(Spintax::inWords(variations))
                     .arg(variations == 1 ? QStringLiteral("variation") : QStringLiteral("variations"));
    } else if (m_fault) {
        notice = QStringLiteral("The spintax breaks at line %1, column %2: %3.")
                     .arg(m_fault->line)
                     .arg(m_fault->column)
                     .arg(m_fault->what);
    }
    if (notice != m_spintaxNotice->text()) {
        m_spintaxNotice->setText(notice);
        m_spintaxNotice->setAccessibleName(notice);
        if (!notice.isEmpty() && isVisible())
            announce(m_spintaxNotice);
    }
}

bool PreviewPage::confirmSpintax()
{
    readSpintax();
    if (!m_fault || m_plainAgreed)
        return true;
    m_plainAgreed = m_prompts->message(QStringLiteral("The spintax of this text breaks at line %1, column %2: %3.\n"
                                                      "Rewrite the text as plain text, braces and bars as they stand?")
                                           .arg(m_fault->line)
                                           .arg(m_fault->column)
                                           .arg(m_fault->what),
                                       Prompts::YesNo | Prompts::Question, MainCaption)
                    == Prompts::Yes;
    if (!m_plainAgreed)
        m_preview->setFocus();
    return m_plainAgreed;
}

std::shared_ptr<const Spintax> PreviewPage::spintax()
{
    readSpintax();
    return m_spintax;
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

#include "wizard/OriginalPage.h"

#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Titles.h"
#include "sources/PreviewLoader.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "Please submit original content using", 2160, 120, 3075, 195},
    {ControlSpec::Label, "lblChangeThis", "only 1", 5340, 120, 600, 195},
    {ControlSpec::Label, "lblOnly1", "of the following 3 options", 6000, 120, 2145, 195},
    {ControlSpec::Option, "Opt1", "", 120, 600, 285, 195, nullptr, false, true},
    {ControlSpec::Label, "lblChangeThis", "1) Paste content below", 480, 600, 1950, 195},
    {ControlSpec::TextBox, "TxtContent", "", 120, 840, 4815, 3015},
    {ControlSpec::Option, "Opt2", "", 5280, 720, 225, 195},
    {ControlSpec::Label, "lblToThis", "2) Load text from file", 5520, 720, 1815, 195},
    {ControlSpec::LineBox, "txtBrowse", "", 5280, 960, 2775, 375},
    {ControlSpec::Button, "cmdBrowse", "Browse", 8160, 960, 1335, 375},
    {ControlSpec::Option, "Opt3", "", 5280, 1800, 225, 195},
    {ControlSpec::Label, "lblRewrite", "3) Rewrite a webpage", 5640, 1800, 1950, 195},
    {ControlSpec::HelpIcon, "imgHelpOriginal", "", 7560, 1800, 240, 240},
    {ControlSpec::LineBox, "txtWebPage", "http://", 5310, 2160, 2775, 375},
    {ControlSpec::TextBox, "txtToolTip",
     "This option will scrape text from a webpage, no images will be included\r\n", 5880, 2040, 2775, 525, nullptr,
     true},
    {ControlSpec::Label, "LblPleaseChoose", "Please Choose One Options", 5970, 3180, 2640, 195, nullptr, true},
};

} // namespace

OriginalPage::OriginalPage(QWidget *window, Prompts &prompts)
    : WizardPage("FraOriginal", "Original", window, Controls), m_prompts(prompts)
{
    m_paste = control<QRadioButton>("Opt1");
    m_file = control<QRadioButton>("Opt2");
    m_web = control<QRadioButton>("Opt3");
    m_content = control<TextBox>("TxtContent");
    m_filePath = control<QLineEdit>("txtBrowse");
    m_address = control<QLineEdit>("txtWebPage");
    m_browse = control<QPushButton>("cmdBrowse");
    // The option buttons and boxes are captioned by labels of their own.
    nameForScreenReaders(m_paste, QStringLiteral("1) Paste content below"));
    nameForScreenReaders(m_content, QStringLiteral("Content to rewrite"),
                         QStringLiteral("Paste or type the text here when option 1 is chosen."));
    nameForScreenReaders(m_file, QStringLiteral("2) Load text from file"));
    nameForScreenReaders(m_filePath, QStringLiteral("Text file to load"));
    nameForScreenReaders(m_browse, QStringLiteral("Browse for a text file"));
    nameForScreenReaders(m_web, QStringLiteral("3) Rewrite a webpage"));
    nameForScreenReaders(m_address, QStringLiteral("Webpage address"));

    m_toolTip = control<TextBox>("txtToolTip");
    QPalette grey = m_toolTip->palette();
    grey.setColor(QPalette::Base, QColor(224, 224, 224));
    m_toolTip->setPalette(grey);
    m_toolTip->setReadOnly(true);
    m_toolTip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_toolTip->setFocusPolicy(Qt::NoFocus);
    nameForScreenReaders(m_toolTip, QStringLiteral("About option 3"));

    m_helpIcon = control("imgHelpOriginal");
    m_helpIcon->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_helpIcon->setMouseTracking(true);
    m_helpIcon->installEventFilter(this);
    setMouseTracking(true);

    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString path = m_prompts.openFile(PreviewLoader::TextFileFilter);
        if (!path.isEmpty())
            setSourceFilePath(path);
    });
}

bool OriginalPage::sourceIsReady()
{
    if (sourceKind() != SourceKind::TextFile || !sourceFilePath().isEmpty())
        return true;
    m_prompts.message(QStringLiteral("No file selected."), Prompts::OkOnly, ApplicationTitle);
    return false;
}

bool OriginalPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_helpIcon && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter))
        m_toolTip->show();
    return false;
}

void OriginalPage::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        m_toolTip->hide();
    WizardPage::mouseMoveEvent(event);
}

SourceKind OriginalPage::sourceKind() const
{
    if (m_file->isChecked())
        return SourceKind::TextFile;
    if (m_web->isChecked())
        return SourceKind::WebPage;
    return SourceKind::Paste;
}

QString OriginalPage::pastedText() const
{
    return m_content->text();
}

QString OriginalPage::sourceFilePath() const
{
    return m_filePath->text();
}

QString OriginalPage::pageAddress() const
{
    return m_address->text();
}

void OriginalPage::setSourceFilePath(const QString &path)
{
    m_filePath->setText(path);
}

void OriginalPage::reset()
{
    m_content->setText(QString());
    m_filePath->clear();
    m_address->setText(QStringLiteral("http://"));
    m_paste->setChecked(true);
}

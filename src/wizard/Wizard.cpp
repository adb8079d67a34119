#include "wizard/Wizard.h"

#include "engine/ReprintRun.h"
#include "engine/WordList.h"
#include "platform/ImageButton.h"
#include "platform/LabelColour.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "sources/PreviewLoader.h"
#include "sources/ResultActions.h"
#include "platform/ErrorReport.h"
#include "wizard/DisplayPage.h"
#include "wizard/FinishPage.h"
#include "wizard/KeywordsPage.h"
#include "wizard/LegibilityPage.h"
#include "wizard/OriginalPage.h"
#include "wizard/PreviewPage.h"
#include "wizard/ReprintsPage.h"
#include "wizard/RunInputGuard.h"
#include "wizard/StretchPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

namespace {

// How long after a run the user's clicks are still dropped.
constexpr int AfterRunGuardMs = 300;

} // namespace

Wizard::Wizard(QWidget *window, const Navigation &navigation, QLabel *pleaseWait, const QString &programFolder,
               Prompts &prompts, WordList &list, ReprintRun &run)
    : QObject(window), m_nav(navigation), m_prompts(prompts), m_list(list), m_run(run)
{
    m_original = new OriginalPage(window);
    m_preview = new PreviewPage(window);
    m_keywords = new KeywordsPage(window);
    m_legibility = new LegibilityPage(window);
    m_stretch = new StretchPage(window);
    m_reprints = new ReprintsPage(window);
    m_display = new DisplayPage(window);
    m_finish = new FinishPage(window, prompts);
    m_loader = new PreviewLoader(m_preview->preview(), pleaseWait, programFolder, prompts, this);
    m_original->show();

    // The steps: what Next checks when it leaves a page, and does when it arrives.
    auto nothing = [] {};
    auto pass = [] { return true; };
    m_steps = {{
        {m_original, pass, nothing},
        {m_preview, pass, [this] { loadPreview(); }},
        {m_keywords, [this] { return checkKeywords(); }, nothing},
        {m_legibility, pass, nothing},
        {m_stretch, pass, [this] { countWords(); }},
        {m_reprints, pass, nothing},
        {m_display, [this] { return checkOutput(); }, nothing},
        {m_finish, pass, [this] { startRun(); }},
    }};

    connect(m_nav.next, &ImageButton::clicked, this, &Wizard::Next);
    // Next does not wait for a web page. Text that comes once the words have
    // been counted is counted again, so the run does not work on an empty text.
    connect(m_loader, &PreviewLoader::pageTextArrived, this, [this] {
        if (m_step >= StretchStep && m_step < StepCount - 1)
            countWords();
    });
    connect(m_nav.previous, &ImageButton::clicked, this, &Wizard::Previous);
    connect(m_nav.restart, &ImageButton::clicked, this, &Wizard::Restart);
    connect(m_original->browseButton(), &QPushButton::clicked, this, [this] {
        const QString path = m_loader->browseForTextFile();
        if (!path.isEmpty())
            m_original->setSourceFilePath(path);
    });
    connect(m_finish->viewNextButton(), &QPushButton::clicked, this, &Wizard::viewNext);

    // The finish page's actions and the output folder picker.
    m_actions = new ResultActions(m_finish->result(), m_finish->control<QLineEdit>("TxtLinkTo"), prompts, this);
    TextBox *result = m_finish->result();
    auto clicks = [this](const char *name) { return m_finish->control<QPushButton>(name); };
    connect(clicks("cmdSelectAll"), &QPushButton::clicked, this, [result] { ResultActions::SelectAllText(result); });
    connect(result, &TextBox::focusReceived, this, [result] { ResultActions::SelectAllText(result); });
    connect(clicks("cmdCopyTo"), &QPushButton::clicked, m_actions, &ResultActions::copyToClipboard);
    connect(clicks("CmdLink"), &QPushButton::clicked, m_actions, &ResultActions::link);
    connect(clicks("CmdSaveTo"), &QPushButton::clicked, m_actions, &ResultActions::exportToHtml);
    connect(clicks("cmdOpenFolder"), &QPushButton::clicked, m_actions, &ResultActions::openFile);
    connect(m_display->browseButton(), &QPushButton::clicked, this,
            [this] { m_display->setOutputFolder(m_actions->BrowseForFolder()); });

    for (const Step &step : m_steps)
        connect(step.page, &WizardPage::exclusionEditorRequested, this, &Wizard::exclusionEditorRequested);
}

RewriteSettings Wizard::settings() const
{
    RewriteSettings s;
    s.sourceKind = m_original->sourceKind();
    s.pastedText = m_original->pastedText();
    s.sourceFilePath = m_original->sourceFilePath();
    s.pageAddress = m_original->pageAddress();
    s.originalText = m_preview->preview()->text();
    s.keywordRules = m_keywords->rules();
    s.legibility = m_legibility->legibility();
    s.targetWordCount = m_stretch->targetText();
    s.reprintCount = m_reprints->countText();
    s.saveToFiles = m_display->saveToFiles();
    s.outputFolder = m_display->outputFolder();
    s.displayOnScreen = m_display->displayOnScreen();
    return s;
}

void Wizard::Next()
{
    // A text file chosen without a path stops every press, whatever the page.
    if (m_original->sourceKind() == SourceKind::TextFile && m_original->sourceFilePath().isEmpty()) {
        m_prompts.message(QStringLiteral("No file selected."), Prompts::OkOnly, ApplicationTitle);
        return;
    }
    if (m_step + 1 >= StepCount || !m_steps[m_step].leave())
        return;
    moveTo(m_step + 1);
    m_steps[m_step].arrive();
}

void Wizard::Previous()
{
    if (m_step > 0 && m_step < StepCount - 1)
        moveTo(m_step - 1);
}

void Wizard::Restart()
{
    moveTo(0);
    ResetInputs();
    m_finish->viewNextLabel()->hide();
}

void Wizard::moveTo(int step)
{
    m_steps[m_step].page->hide();
    setLabelColour(m_nav.stepLabels[m_step], OtherLabelColour);
    m_step = step;
    m_steps[m_step].page->show();
    setLabelColour(m_nav.stepLabels[m_step], CurrentLabelColour);
    m_nav.previous->setVisible(m_step > 0 && m_step < StepCount - 1);
    m_nav.next->setVisible(m_step < StepCount - 1);
    m_nav.restart->setVisible(m_step == StepCount - 1);
}

void Wizard::ResetInputs()
{
    m_original->reset();
    m_preview->preview()->setText(QString());
    m_keywords->reset();
    m_legibility->reset();
    m_reprints->reset();
    m_display->reset();
    m_finish->result()->setText(QString());
}

bool Wizard::complain(const QString &text, QWidget *focus)
{
    m_prompts.message(text, Prompts::Critical, MainCaption);
    if (focus)
        focus->setFocus();
    return false;
}

bool Wizard::checkKeywords()
{
    const int row = m_keywords->firstIncompleteRow();
    if (row < 0)
        return true;
    return complain(QStringLiteral("Please fill replace text"), m_keywords->replacementBox(row));
}

bool Wizard::checkOutput()
{
    if (m_display->saveToFiles() && m_display->outputFolder().isEmpty())
        return complain(QStringLiteral("Please choose folder path"), m_display->browseButton());
    if (!m_reprints->count()) {
        return complain(QStringLiteral("The number of reprints must be a whole number from 0 to %1. "
                                       "Please go back to the Reprints page and correct it.")
                            .arg(ReprintsPage::LargestCount),
                        nullptr);
    }
    if (!m_stretch->targetIsWorkable()) {
        return complain(QStringLiteral("The new content can hold at most %1 words. "
                                       "Please go back to the Stretch page and correct it.")
                            .arg(StretchPage::LargestTarget),
                        nullptr);
    }
    return true;
}

void Wizard::loadPreview()
{
    TextBox *preview = m_preview->preview();
    preview->setText(QString());
    switch (m_original->sourceKind()) {
    case SourceKind::Paste:
        preview->setText(m_original->pastedText());
        break;
    case SourceKind::TextFile:
        m_loader->LoadTextIntoPreview(m_original->sourceFilePath());
        break;
    case SourceKind::WebPage:
        m_loader->fetchWebPage(m_original->pageAddress());
        break;
    }
}

void Wizard::countWords()
{
    m_stretch->showWordCount(m_list.FillWordList(m_preview->preview()->text()));
}

void Wizard::startRun()
{
    // The user's clicks and keys are dropped while the run works, but for the
    // window's close picture: closing stops the run. A message the run puts up
    // is a window of its own and can be answered. Restart lies where Next was, so
    // an impatient second click on Next is kept from it a moment longer.
    const auto *window = static_cast<const QWidget *>(parent());
    const QObject *close = window->findChild<QObject *>(QStringLiteral("imgClose"));
    const RunInputGuard duringRun(window, [close](const QObject *target) { return target != close; });
    const auto afterRun = qScopeGuard([this, window] {
        const QObject *restart = m_nav.restart;
        auto *guard =
            new RunInputGuard(window, [restart](const QObject *target) { return target == restart; }, this);
        QTimer::singleShot(AfterRunGuardMs, guard, &QObject::deleteLater);
    });
    const bool save = m_display->saveToFiles();
    m_finish->prepareForRun(save);
    const qint64 count = m_reprints->count().value_or(0);
    if (save)
        m_run.SaveReprints(count, m_finish);
    else if (m_display->displayOnScreen())
        m_run.ShowReprints(count, m_finish);
}

void Wizard::viewNext()
{
    const auto step = m_run.ViewNext(m_reprints->countText());
    if (!step)
        return;
    m_finish->showViewNextCount(step->label);
    if (step->text)
        m_finish->result()->setText(*step->text);
    else if (!step->error.isEmpty())
        m_prompts.message(step->error, Prompts::Exclamation, MainCaption);
}

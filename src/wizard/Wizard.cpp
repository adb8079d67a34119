#include "wizard/Wizard.h"

#include "choices/ChooseDialog.h"
#include "engine/FitToSentence.h"
#include "engine/ReprintRun.h"
#include "platform/ImageButton.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/LabelColour.h"
#include "sources/PreviewLoader.h"
#include "wizard/DisplayPage.h"
#include "wizard/FinishPage.h"
#include "wizard/KeywordsPage.h"
#include "wizard/LegibilityPage.h"
#include "wizard/OriginalPage.h"
#include "wizard/PreviewPage.h"
#include "wizard/ReprintsPage.h"
#include "wizard/RunInputGuard.h"
#include "wizard/StretchPage.h"

#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

namespace {

// How long after a run the user's clicks are still dropped.
constexpr int AfterRunGuardMs = 300;

} // namespace

Wizard::Wizard(QWidget *window, const Navigation &navigation, QLabel *pleaseWait, const QString &programFolder,
               Prompts &prompts, ReprintRun &run)
    : QObject(window), m_nav(navigation), m_prompts(prompts), m_run(run)
{
    m_original = new OriginalPage(window, prompts);
    m_preview = new PreviewPage(window, *m_original, pleaseWait, programFolder, prompts);
    m_keywords = new KeywordsPage(window, prompts);
    m_legibility = new LegibilityPage(window);
    m_stretch = new StretchPage(window, prompts, run, *m_preview->preview());
    m_reprints = new ReprintsPage(window, prompts);
    m_display = new DisplayPage(window, prompts);
    m_finish = new FinishPage(window, prompts, run);
    m_pages = {m_original, m_preview, m_keywords, m_legibility, m_stretch, m_reprints, m_display, m_finish};
    m_original->show();

    connect(m_nav.next, &ImageButton::clicked, this, &Wizard::Next);
    connect(m_nav.previous, &ImageButton::clicked, this, &Wizard::Previous);
    connect(m_nav.restart, &ImageButton::clicked, this, &Wizard::Restart);
    // Next does not wait for a web page. Text that comes once the words have
    // been counted is counted again, so the run does not work on an empty text.
    connect(m_preview->loader(), &PreviewLoader::pageTextArrived, this, [this] {
        if (m_step >= StretchStep && m_step < FinishStep)
            m_stretch->enter();
    });
    for (WizardPage *page : m_pages)
        connect(page, &WizardPage::exclusionEditorRequested, this, &Wizard::exclusionEditorRequested);
    connect(m_legibility, &LegibilityPage::chooseRequested, this, &Wizard::openChooser);
}

void Wizard::openChooser()
{
    QString why;
    const std::unique_ptr<FitToSentence> fit = m_run.newFitChooser(&why);
    if (!fit) {
        m_prompts.message(QStringLiteral("Synonyms cannot be fitted to their sentences: %1.").arg(why),
                          Prompts::Critical, ChooseDialog::Caption);
        return;
    }
    QStringList keywords;
    for (const KeywordRule &rule : m_keywords->rules()) {
        if (!rule.keyword.isEmpty())
            keywords << rule.keyword;
    }
    auto *window = static_cast<QWidget *>(parent());
    // A long text takes a moment to weigh every word's candidates.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ChooseDialog dialog(*fit, m_run.store(), m_prompts, m_preview->preview()->text(), keywords, window);
    QApplication::restoreOverrideCursor();
    dialog.exec();
}

void Wizard::Next()
{
    if (!m_original->sourceIsReady() || m_step >= FinishStep || !m_pages[m_step]->validate())
        return;
    if (m_step == OutputStep && !(m_runSettings = readSettings()))
        return;
    moveTo(m_step + 1);
    m_pages[m_step]->enter();
    if (m_step == FinishStep)
        startRun();
}

void Wizard::Previous()
{
    if (m_step > 0 && m_step < FinishStep)
        moveTo(m_step - 1);
}

void Wizard::Restart()
{
    moveTo(0);
    ResetInputs();
}

void Wizard::ResetInputs()
{
    for (WizardPage *page : m_pages)
        page->reset();
}

void Wizard::requestStop()
{
    m_finish->requestStop();
}

void Wizard::moveTo(int step)
{
    QWidget *focused = QApplication::focusWidget();
    m_pages[m_step]->hide();
    setLabelColour(m_nav.stepLabels[m_step], OtherLabelColour);
    m_step = step;
    m_pages[m_step]->show();
    setLabelColour(m_nav.stepLabels[m_step], CurrentLabelColour);
    m_nav.previous->setVisible(m_step > 0 && m_step < FinishStep);
    m_nav.next->setVisible(m_step < FinishStep);
    m_nav.restart->setVisible(m_step == FinishStep);
    // A control with the focus that this step hides hands it to the new page's
    // first control, not to whatever follows it (Next is followed by Close).
    if (focused && focused->window() == m_pages[m_step]->window() && !focused->isVisible())
        focusFirstControlOf(m_pages[m_step]);
}

void Wizard::focusFirstControlOf(QWidget *page)
{
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

std::optional<RewriteSettings> Wizard::readSettings()
{
    // Read once, here: the window takes no input while the run works, so this
    // is the same as reading the controls at every step of the run.
    const std::optional<qint64> count = m_reprints->confirmCount();
    // A web page's text may have come after the preview page was left.
    if (!count || !m_stretch->confirmTarget() || !m_preview->confirmSpintax())
        return std::nullopt;
    RewriteSettings s;
    s.keywordRules = m_keywords->rules();
    s.legibility = m_legibility->legibility();
    s.fitToSentence = m_legibility->fitToSentence();
    s.targetWordCount = m_stretch->target();
    s.reprintCount = *count;
    s.reprintCountText = m_reprints->countText();
    s.saveToFiles = m_display->saveToFiles();
    s.outputFolder = m_display->outputFolder();
    s.displayOnScreen = m_display->displayOnScreen();
    s.spintax = m_preview->spintax();
    // The count offered as the target is the spintax's own, braces and all;
    // each pick has its own, and none is stretched unless more was asked for.
    if (s.spintax && s.targetWordCount && *s.targetWordCount <= double(m_run.wordList().originalWordCount()))
        s.targetWordCount.reset();
    return s;
}

void Wizard::startRun()
{
    // The user's clicks and keys are dropped while the run works, but for the
    // window's close picture: closing stops the run. A message the run puts up
    // is a window of its own and can be answered. Restart lies where Next was, so
    // an impatient second click on Next is kept from it a moment longer.
    const auto *window = static_cast<const QWidget *>(parent());
    const QObject *close = m_nav.close;
    const RunInputGuard duringRun(window, [close](const QObject *target) { return target != close; });
    const auto afterRun = qScopeGuard([this, window] {
        const QObject *restart = m_nav.restart;
        auto *guard =
            new RunInputGuard(window, [restart](const QObject *target) { return target == restart; }, this);
        QTimer::singleShot(AfterRunGuardMs, guard, &QObject::deleteLater);
    });
    m_finish->run(*m_runSettings);
}

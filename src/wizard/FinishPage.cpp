#include "wizard/FinishPage.h"

#include "engine/ReprintRun.h"
#include "platform/Accessibility.h"
#include "platform/ErrorReport.h"
#include "engine/Numbers.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Titles.h"
#include "sources/ResultActions.h"
#include "wizard/ChangeMarks.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTextDocument>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Notice, "LblOneOfOne", "1 Of 1", 4410, 0, 990, 195, nullptr, true},
    {ControlSpec::ProgressBar, "Pbar", "", 60, 210, 9795, 285},
    {ControlSpec::Notice, "lblChangeThis17", "Your new content has been created, you can view it below", 120, 600, 4995, 195},
    {ControlSpec::TextBox, "TxtFinishContant", "", 120, 840, 5055, 2055},
    {ControlSpec::Button, "cmdSelectAll", "Select All", 120, 3000, 1335, 495},
    {ControlSpec::Button, "cmdCopyTo", "Copy to clipboard", 1920, 3000, 1335, 495},
    {ControlSpec::Button, "cmdViewNext", "View Next", 3840, 3000, 1335, 495},
    {ControlSpec::Label, "LblOneOfOneViewNext", "1 Of 1", 4260, 3570, 600, 195, nullptr, true},
    {ControlSpec::Label, "LblChanged", "", 120, 3600, 4020, 195, nullptr, true},
    {ControlSpec::VerticalLine, "Line1", "", 5520, 480, 0, 3240},
    {ControlSpec::Label, "LblSavedToFile", "Your new content has been saved to file :", 5880, 600, 3570, 195},
    {ControlSpec::Button, "cmdOpenFolder", "Open Folder", 6390, 960, 1335, 375},
    {ControlSpec::Label, "LblLinkTo", "Link To", 5640, 1560, 690, 195},
    {ControlSpec::LineBox, "TxtLinkTo", "", 6420, 1500, 3315, 345},
    {ControlSpec::Button, "CmdLink", "Link", 6450, 1950, 1305, 375},
    {ControlSpec::Button, "CmdSaveTo", "Export To Html", 8280, 1980, 1305, 375},
};

// The counters are laid out for "1 Of 1"; a longer count or the stopped notice
// widens them to the right as far as the text needs.
void showCounter(QLabel *label, int laidOutWidth, const QString &text)
{
    label->setText(text);
    label->resize(std::max(laidOutWidth, label->sizeHint().width()), label->height());
    label->show();
}

int clampToInt(qint64 value)
{
    return int(qMin<qint64>(value, std::numeric_limits<int>::max()));
}

} // namespace

FinishPage::FinishPage(QWidget *window, Prompts &prompts, ReprintRun &run)
    : WizardPage("FraFinish", "Finish", window, Controls, QRect(180, 1320, 9855, 4095)), m_prompts(prompts),
      m_run(run)
{
    m_runLabel = control<NoticeLabel>("LblOneOfOne");
    m_progress = control<QProgressBar>("Pbar");
    m_notice = control<NoticeLabel>("lblChangeThis17");
    m_result = control<TextBox>("TxtFinishContant");
    m_marks = new ChangeMarks(m_result);
    m_changedLabel = control<QLabel>("LblChanged");
    // Once the user edits the text it is no longer the reprint the figure
    // counts: the figure goes (the marks of untouched words stay, moved).
    connect(m_result->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed + added > 0 && m_changedLabel->isVisible()) {
            m_changedLabel->hide();
            m_result->setAccessibleDescription(QString());
        }
    });
    // A screen reader reads a label's name, not its text: the name is the figure.
    m_changedLabel->setAccessibleName(QStringLiteral("Words changed"));
    nameForScreenReaders(m_result, QStringLiteral("New content"),
                         QStringLiteral("The reprint shown; changed words are marked."));
    nameForScreenReaders(m_progress, QStringLiteral("Progress of the reprint"));
    nameForScreenReaders(control<QLineEdit>("TxtLinkTo"), QStringLiteral("Link To address"),
                         QStringLiteral("Link makes the selected text a link to this address."));
    m_selectAll = control<QPushButton>("cmdSelectAll");
    m_copy = control<QPushButton>("cmdCopyTo");
    m_viewNext = control<QPushButton>("cmdViewNext");
    m_viewNextLabel = control<QLabel>("LblOneOfOneViewNext");
    m_runLabelWidth = m_runLabel->width();
    m_viewNextLabelWidth = m_viewNextLabel->width();
    m_savedLabel = control<QLabel>("LblSavedToFile");
    m_openFolder = control<QPushButton>("cmdOpenFolder");
    m_link = control<QPushButton>("CmdLink");
    m_export = control<QPushButton>("CmdSaveTo");
    setDoubleClickOpensExclusions(false);

    m_actions = new ResultActions(m_result, control<QLineEdit>("TxtLinkTo"), prompts, this);
    connect(m_selectAll, &QPushButton::clicked, this, [this] { ResultActions::SelectAllText(m_result); });
    connect(m_result, &TextBox::focusReceived, this, [this] { ResultActions::SelectAllText(m_result); });
    connect(m_copy, &QPushButton::clicked, m_actions, &ResultActions::copyToClipboard);
    connect(m_link, &QPushButton::clicked, m_actions, &ResultActions::link);
    connect(m_export, &QPushButton::clicked, m_actions, &ResultActions::exportToHtml);
    connect(m_openFolder, &QPushButton::clicked, m_actions, &ResultActions::openFile);
    // A file of the user's own choosing is not a reprint of this run.
    connect(m_actions, &ResultActions::fileOpened, this, &FinishPage::forgetChanges);
    connect(m_viewNext, &QPushButton::clicked, this, &FinishPage::viewNext);
}

void FinishPage::run(const RewriteSettings &settings)
{
    prepareForRun(settings.saveToFiles);
    if (settings.saveToFiles)
        m_run.SaveReprints(settings, this);
    else if (settings.displayOnScreen)
        m_run.ShowReprints(settings, this);
    // What the run ended with is read out: how far a stopped run got, or that
    // the new content is made.
    if (m_runLabel->isVisible())
        announce(m_runLabel);
    else if (m_notice->isVisible())
        announce(m_notice);
}

void FinishPage::reset()
{
    showText(QString());
    m_viewNextLabel->hide();
}

void FinishPage::showText(const QString &text)
{
    m_result->setText(text);
    forgetChanges();
}

void FinishPage::forgetChanges()
{
    m_marks->clear();
    m_changedLabel->hide();
    m_result->setAccessibleDescription(QString());
}

QString FinishPage::changedFigure(const WordChanges &changes)
{
    const qsizetype words = changes.words();
    const qint64 percent = words == 0 ? 0 : roundHalfEven(100.0 * double(changes.changed()) / double(words));
    return QStringLiteral("%1 of %2 %3 changed (%4%), %5 inserted")
        .arg(changes.changed())
        .arg(words)
        .arg(words == 1 ? QStringLiteral("word") : QStringLiteral("words"))
        .arg(percent)
        .arg(changes.inserted());
}

void FinishPage::showChanges(const WordChanges &changes)
{
    if (!m_marks->mark(changes))
        return;
    const QString figure = changedFigure(changes);
    m_changedLabel->setText(figure);
    m_changedLabel->setToolTip(figure);
    m_changedLabel->setAccessibleName(figure);
    m_changedLabel->show();
    m_result->setAccessibleDescription(figure);
}

void FinishPage::viewNext()
{
    const auto step = m_run.ViewNext();
    if (!step)
        return;
    showCounter(m_viewNextLabel, m_viewNextLabelWidth, step->label);
    if (step->text) {
        showText(*step->text);
        if (step->changes)
            showChanges(*step->changes);
        return;
    }
    // The box never shows one copy under another's number.
    showText(QString());
    if (!step->error.isEmpty())
        m_prompts.message(step->error, Prompts::Exclamation, MainCaption);
}

void FinishPage::prepareForRun(bool saveToFiles)
{
    m_openFolder->setVisible(saveToFiles);
    m_savedLabel->setVisible(saveToFiles);
    showText(QString());
    m_stopRequested = false;
}

void FinishPage::variationStarted()
{
    m_notice->hide();
    m_savedLabel->hide();
    m_selectAll->setEnabled(false);
    m_copy->setEnabled(false);
    m_viewNext->show();
    m_openFolder->hide();
    m_link->setEnabled(false);
    m_export->setEnabled(false);
}

void FinishPage::progressShown(qint64 maximum)
{
    m_progress->setMaximum(clampToInt(maximum));
    m_progress->show();
    turnEventLoop();
}

bool FinishPage::carryOn()
{
    if (!m_sincePaint.isValid() || m_sincePaint.elapsed() >= PaintIntervalMs)
        turnEventLoop();
    return !m_stopRequested;
}

void FinishPage::turnEventLoop()
{
    // One turn of the event loop, so the window stays alive and can be closed;
    // the run's input guard keeps the user's clicks and keys from starting
    // anything meanwhile. A run makes many variations a second and each one
    // shows and hides controls, so the window repaints in this turn only when
    // a frame's time has passed; in between its updates are off, and turning
    // them on repaints it whole.
    QWidget *top = window();
    const bool paint = !m_sincePaint.isValid() || m_sincePaint.elapsed() >= PaintIntervalMs;
    if (paint)
        top->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
    if (paint)
        m_sincePaint.start();
    top->setUpdatesEnabled(false);
}

void FinishPage::progressChanged(qint64 value)
{
    // The bar cannot show a step finer than a fraction of a per cent, and a
    // variation may make thousands of replacements in a few milliseconds:
    // each new value costs the bar more than the replacement it counts.
    const int shown = clampToInt(qMin<qint64>(value, m_progress->maximum()));
    const int step = std::max(1, m_progress->maximum() / ProgressSteps);
    if (shown != m_progress->maximum() && std::abs(shown - m_progress->value()) < step)
        return;
    m_progress->setValue(shown);
}

void FinishPage::variationFinished(bool saveToFiles)
{
    m_progress->hide();
    m_notice->show();
    if (saveToFiles) {
        m_savedLabel->show();
        m_openFolder->show();
    }
    m_selectAll->setEnabled(true);
    m_copy->setEnabled(true);
    m_viewNext->setEnabled(true);
    m_link->setEnabled(true);
    m_export->setEnabled(true);
}

void FinishPage::reprintStarted(qint64 number, qint64 count)
{
    showCounter(m_runLabel, m_runLabelWidth, QStringLiteral("%1 Of %2").arg(number).arg(count));
}

void FinishPage::runEnded()
{
    window()->setUpdatesEnabled(true);
    m_sincePaint.invalidate();
    m_runLabel->hide();
}

void FinishPage::showResult(const QString &text)
{
    showText(text);
}

void FinishPage::runFailed(const QString &message)
{
    // What was not saved must not be reported as saved.
    m_savedLabel->hide();
    m_prompts.message(message, Prompts::Critical, MainCaption);
}

void FinishPage::storeFailed(const StoreFailure &failure)
{
    showErrorReport(m_prompts, failure.description, failure.location);
}

void FinishPage::fitUnavailable(const QString &message)
{
    m_prompts.message(message, Prompts::Exclamation, MainCaption);
}

void FinishPage::runStopped(qint64 made, qint64 count)
{
    // Nothing that was not made is reported as made.
    m_notice->hide();
    m_savedLabel->hide();
    m_openFolder->hide();
    showCounter(m_runLabel, m_runLabelWidth, QStringLiteral("Stopped: %1 Of %2 made").arg(made).arg(count));
    if (made == 0) {
        showText(QString());
        m_viewNext->setEnabled(false);
    }
}

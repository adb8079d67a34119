#pragma once

#include "engine/VariationObserver.h"
#include "wizard/WizardPage.h"

#include <QElapsedTimer>

class ChangeMarks;
class NoticeLabel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class ReprintRun;
class ResultActions;
class TextBox;
struct RewriteSettings;

// Page 7: runs the reprints, shows them as they are made and the first of them
// when done, with View Next and the actions on the text shown.
class FinishPage : public WizardPage, public ReprintObserver
{
    Q_OBJECT
public:
    FinishPage(QWidget *window, Prompts &prompts, ReprintRun &run);

    TextBox *result() const { return m_result; }

    // Makes the reprints `settings` ask for: saved and shown, shown only, or
    // none when neither is chosen. Returns when the run is over.
    void run(const RewriteSettings &settings);

    // An empty box, and no View Next count.
    void reset() override;

    // ReprintObserver
    void variationStarted() override;
    void progressShown(qint64 maximum) override;
    void progressChanged(qint64 value) override;
    void variationFinished(bool saveToFiles) override;
    void reprintStarted(qint64 number, qint64 count) override;
    void runEnded() override;
    void showResult(const QString &text) override;
    void showChanges(const WordChanges &changes) override;
    void runFailed(const QString &message) override;
    void storeFailed(const StoreFailure &failure) override;
    void fitUnavailable(const QString &message) override;
    bool carryOn() override;
    void runStopped(qint64 made, qint64 count) override;

    // The user wants the run to stop (the window is closing); it ends as soon as it can.
    void requestStop() { m_stopRequested = true; }

    // While a run works the window repaints in at most one event-loop turn per
    // this many milliseconds (about 30 times a second).
    static constexpr int PaintIntervalMs = 33;
    static constexpr int ProgressSteps = 500; // the finest the progress bar shows

    // The figure under the result box, such as "38 of 212 words changed (18%), 12 inserted".
    static QString changedFigure(const WordChanges &changes);

private:
    // Before a run: the saving controls as the output choice says, an empty box.
    void prepareForRun(bool saveToFiles);
    // Steps to the next working copy of the last run.
    void viewNext();
    // Puts a text in the result box with no marks and no figure.
    void showText(const QString &text);
    void forgetChanges();

    Prompts &m_prompts;
    ReprintRun &m_run;
    ResultActions *m_actions;
    QElapsedTimer m_sincePaint; // since the last turn that repainted, during a run
    bool m_stopRequested = false;
    // One event-loop turn, repainting when a frame's time has passed.
    void turnEventLoop();
    NoticeLabel *m_runLabel, *m_notice; // what a run ends with: how far it got, or that the content is made
    QLabel *m_savedLabel, *m_viewNextLabel;
    int m_runLabelWidth, m_viewNextLabelWidth; // as laid out, for "1 Of 1"
    QProgressBar *m_progress;
    TextBox *m_result;
    ChangeMarks *m_marks;
    QLabel *m_changedLabel;
    QPushButton *m_selectAll, *m_copy, *m_viewNext, *m_openFolder, *m_link, *m_export;
};

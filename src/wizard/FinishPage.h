#pragma once

#include "engine/VariationObserver.h"
#include "wizard/WizardPage.h"

#include <QElapsedTimer>

class Prompts;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TextBox;

// Page 7: shows the reprints as they are made and the first of them when done,
// with the actions on the text shown.
class FinishPage : public WizardPage, public ReprintObserver
{
    Q_OBJECT
public:
    FinishPage(QWidget *window, Prompts &prompts);

    TextBox *result() const { return m_result; }
    QPushButton *viewNextButton() const { return m_viewNext; }
    QLabel *viewNextLabel() const { return m_viewNextLabel; }
    // Which working copy View Next shows, as "n Of m".
    void showViewNextCount(const QString &text);

    // Before a run: the saving controls as the output choice says, an empty box.
    void prepareForRun(bool saveToFiles);

    // ReprintObserver
    void variationStarted() override;
    void progressShown(qint64 maximum) override;
    void progressChanged(qint64 value) override;
    void variationFinished(bool saveToFiles) override;
    void reprintStarted(qint64 number, qint64 count) override;
    void runEnded() override;
    void showResult(const QString &text) override;
    void runFailed(const QString &message) override;
    bool carryOn() override;
    void runStopped(qint64 made, qint64 count) override;

    // The user wants the run to stop (the window is closing); it ends as soon as it can.
    void requestStop() { m_stopRequested = true; }

    // While a run works the window repaints in at most one event-loop turn per
    // this many milliseconds (about 30 times a second).
    static constexpr int PaintIntervalMs = 33;

private:
    Prompts &m_prompts;
    QElapsedTimer m_sincePaint; // since the last turn that repainted, during a run
    bool m_stopRequested = false;
    // One event-loop turn, repainting when a frame's time has passed.
    void turnEventLoop();
    QLabel *m_runLabel, *m_notice, *m_savedLabel, *m_viewNextLabel;
    int m_runLabelWidth, m_viewNextLabelWidth; // as laid out, for "1 Of 1"
    QProgressBar *m_progress;
    TextBox *m_result;
    QPushButton *m_selectAll, *m_copy, *m_viewNext, *m_openFolder, *m_link, *m_export;
};

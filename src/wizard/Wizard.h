#pragma once

#include "engine/RewriteSettings.h"

#include <QObject>

#include <array>
#include <optional>

class DisplayPage;
class FinishPage;
class ImageButton;
class KeywordsPage;
class LegibilityPage;
class OriginalPage;
class PreviewPage;
class Prompts;
class QLabel;
class ReprintRun;
class ReprintsPage;
class StretchPage;
class WizardPage;

// The eight pages and the moves between them: Next asks the page it leaves to
// check its inputs and tells the page it enters that it arrived, Previous only
// steps back, Restart returns to the first page with every input reset. Leaving
// the output page reads the run's settings; arriving at the finish page runs them.
class Wizard : public QObject
{
    Q_OBJECT
public:
    static constexpr int StepCount = 8;
    static constexpr int StretchStep = 4; // where the words are counted
    static constexpr int OutputStep = 6;  // leaving it reads the run's settings
    static constexpr int FinishStep = 7;

    struct Navigation
    {
        ImageButton *next, *previous, *restart, *close;
        std::array<QLabel *, StepCount> stepLabels;
    };

    Wizard(QWidget *window, const Navigation &navigation, QLabel *pleaseWait, const QString &programFolder,
           Prompts &prompts, ReprintRun &run);

    int currentStep() const { return m_step; }

    void Next();
    void Previous();
    void Restart();
    // Every input back to its value after a restart.
    void ResetInputs();
    // The user is leaving: a run in progress ends as soon as it can.
    void requestStop();

signals:
    // A page asks for the exclusion list editor.
    void exclusionEditorRequested();

private:
    void moveTo(int step);
    static void focusFirstControlOf(QWidget *page);
    // The run's settings as the controls hold them; nothing, after saying why,
    // when the reprint count or the target cannot be run with.
    std::optional<RewriteSettings> readSettings();
    void startRun();
    // The Choose synonyms window on the preview's text.
    void openChooser();

    Navigation m_nav;
    Prompts &m_prompts;
    ReprintRun &m_run;
    int m_step = 0;
    std::optional<RewriteSettings> m_runSettings; // read when leaving the output page

    OriginalPage *m_original;
    PreviewPage *m_preview;
    KeywordsPage *m_keywords;
    LegibilityPage *m_legibility;
    StretchPage *m_stretch;
    ReprintsPage *m_reprints;
    DisplayPage *m_display;
    FinishPage *m_finish;
    std::array<WizardPage *, StepCount> m_pages;
};

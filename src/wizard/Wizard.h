#pragma once

#include "engine/RewriteSettings.h"

#include <QObject>

#include <array>
#include <functional>

class DisplayPage;
class FinishPage;
class ImageButton;
class KeywordsPage;
class LegibilityPage;
class OriginalPage;
class PreviewLoader;
class PreviewPage;
class Prompts;
class QLabel;
class ReprintRun;
class ReprintsPage;
class ResultActions;
class StretchPage;
class WizardPage;
class WordList;

// The eight pages and the moves between them: Next checks the page it leaves
// and prepares the page it enters, Previous only steps back, Restart returns to
// the first page with every input reset. Leaving the output page starts the run.
class Wizard : public QObject
{
    Q_OBJECT
public:
    static constexpr int StepCount = 8;
    static constexpr int StretchStep = 4; // where the words are counted

    struct Navigation
    {
        ImageButton *next, *previous, *restart;
        std::array<QLabel *, StepCount> stepLabels;
    };

    Wizard(QWidget *window, const Navigation &navigation, QLabel *pleaseWait, const QString &programFolder,
           Prompts &prompts, WordList &list, ReprintRun &run);

    int currentStep() const { return m_step; }

    // The settings as the controls hold them now.
    RewriteSettings settings() const;

    void Next();
    void Previous();
    void Restart();
    // Every input back to its value after a restart.
    void ResetInputs();

    OriginalPage *originalPage() const { return m_original; }
    PreviewPage *previewPage() const { return m_preview; }
    KeywordsPage *keywordsPage() const { return m_keywords; }
    LegibilityPage *legibilityPage() const { return m_legibility; }
    StretchPage *stretchPage() const { return m_stretch; }
    ReprintsPage *reprintsPage() const { return m_reprints; }
    DisplayPage *displayPage() const { return m_display; }
    FinishPage *finishPage() const { return m_finish; }
    PreviewLoader *previewLoader() const { return m_loader; }
    ResultActions *resultActions() const { return m_actions; }

signals:
    // A page asks for the exclusion list editor.
    void exclusionEditorRequested();

private:
    struct Step
    {
        WizardPage *page;
        std::function<bool()> leave;  // Next from this page: false keeps the page
        std::function<void()> arrive; // Next has just shown this page
    };

    void moveTo(int step);
    bool complain(const QString &text, QWidget *focus);
    bool checkKeywords();
    bool checkOutput();
    void loadPreview();
    void countWords();
    void startRun();
    void viewNext();

    Navigation m_nav;
    Prompts &m_prompts;
    WordList &m_list;
    ReprintRun &m_run;
    PreviewLoader *m_loader;
    ResultActions *m_actions;
    int m_step = 0;

    OriginalPage *m_original;
    PreviewPage *m_preview;
    KeywordsPage *m_keywords;
    LegibilityPage *m_legibility;
    StretchPage *m_stretch;
    ReprintsPage *m_reprints;
    DisplayPage *m_display;
    FinishPage *m_finish;
    std::array<Step, StepCount> m_steps;
};

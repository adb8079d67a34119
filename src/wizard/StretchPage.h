#pragma once

#include "wizard/WizardPage.h"

#include <optional>

class QLabel;
class QLineEdit;
class ReprintRun;
class TextBox;

// Page 4: the original's word count and the target word count. Arriving here
// hands the preview's text to the run, which counts its words.
class StretchPage : public WizardPage
{
    Q_OBJECT
public:
    // Targets above this many words are refused: each would take that many
    // insertions in every variation.
    static constexpr qint64 LargestTarget = 10000000;

    StretchPage(QWidget *window, Prompts &prompts, ReprintRun &run, const TextBox &preview);

    // Fills the run's word list from the preview, shows the count and offers it
    // as the target, replacing what was typed.
    void enter() override;

    // The target as the run reads it: a number of words, or nothing for no stretch.
    std::optional<double> target() const;
    // True when the target can be worked with: not a number (no stretch) or a
    // number up to LargestTarget; otherwise false, after saying so.
    bool confirmTarget();

private:
    Prompts &m_prompts;
    ReprintRun &m_run;
    const TextBox &m_preview;
    QLabel *m_count;
    QLineEdit *m_target;
};

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

    // `largest` is the most words a text or a target may have; LargestTarget
    // unless a test needs a smaller one.
    StretchPage(QWidget *window, Prompts &prompts, ReprintRun &run, const TextBox &preview,
                qint64 largest = LargestTarget);

    // Fills the run's word list from the preview, shows the count and offers it
    // as the target, replacing what was typed.
    void enter() override;
    // Leaving the page: the text and the target must be workable (see problem()).
    bool validate() override;

    // The target as the run reads it: a number of words, or nothing for no stretch.
    std::optional<double> target() const;
    // The same check as validate() when the run starts, for text that came after
    // the page was left (a web page loads in the background).
    bool confirmTarget();

private:
    // Why the page cannot be left: a text of more than `largest` words; a target
    // that is not a number or is above `largest`. Nothing when it can.
    std::optional<QString> textProblem() const;
    std::optional<QString> targetProblem() const;

    Prompts &m_prompts;
    ReprintRun &m_run;
    const TextBox &m_preview;
    const qint64 m_largest;
    QLabel *m_count;
    QLineEdit *m_target;
};

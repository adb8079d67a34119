#pragma once

#include "wizard/WizardPage.h"

class QLabel;
class QLineEdit;

// Page 4: the original's word count and the target word count.
class StretchPage : public WizardPage
{
    Q_OBJECT
public:
    // Targets above this many words are refused: each would take that many
    // insertions in every variation.
    static constexpr qint64 LargestTarget = 10000000;

    explicit StretchPage(QWidget *window);

    // Shows the count and offers it as the target, replacing what was typed.
    void showWordCount(qint64 count);
    QString targetText() const;
    QLineEdit *targetBox() const { return m_target; }

    // True when the target can be worked with: not a number (no stretch) or a
    // number up to LargestTarget.
    bool targetIsWorkable() const;

private:
    QLabel *m_count;
    QLineEdit *m_target;
};

#pragma once

#include "wizard/WizardPage.h"

#include <optional>

class QLineEdit;

// Page 5: how many reprints to make.
class ReprintsPage : public WizardPage
{
    Q_OBJECT
public:
    static constexpr qint64 LargestCount = 32767;

    ReprintsPage(QWidget *window, Prompts &prompts);

    QString countText() const;
    // The count as a whole number (a fraction rounded half to even), or nothing
    // when the text is not a number or lies outside 1 to 32767, after
    // saying so.
    std::optional<qint64> confirmCount();
    void reset() override;

private:
    Prompts &m_prompts;
    QLineEdit *m_count;
};

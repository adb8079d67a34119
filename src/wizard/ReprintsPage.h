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

    explicit ReprintsPage(QWidget *window);

    QString countText() const;
    QLineEdit *countBox() const { return m_count; }
    // The count as a whole number (a fraction rounded half to even), or nothing
    // when the text is not a number or lies outside -32768 to 32767.
    std::optional<qint64> count() const;
    void reset();

private:
    QLineEdit *m_count;
};

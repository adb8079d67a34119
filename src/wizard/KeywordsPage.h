#pragma once

#include "engine/RewriteSettings.h"
#include "wizard/WizardPage.h"

#include <array>

class QLineEdit;
class QRadioButton;

// Page 2: five keyword rows, each changing a keyword into a replacement or
// keeping it as it is. In keep mode the replacement box is locked and follows
// the keyword as it is typed.
class KeywordsPage : public WizardPage
{
    Q_OBJECT
public:
    explicit KeywordsPage(QWidget *window);

    std::array<KeywordRule, RewriteSettings::KeywordRows> rules() const;

    // The first row (0-based) with a keyword but an empty replacement, or -1.
    int firstIncompleteRow() const;

    QLineEdit *keywordBox(int row) const { return m_keyword[row]; }
    QLineEdit *replacementBox(int row) const { return m_replacement[row]; }
    QRadioButton *changeOption(int row) const { return m_change[row]; }
    QRadioButton *keepOption(int row) const { return m_keep[row]; }

    void reset();

private:
    std::array<QLineEdit *, RewriteSettings::KeywordRows> m_keyword{}, m_replacement{};
    std::array<QRadioButton *, RewriteSettings::KeywordRows> m_change{}, m_keep{};
};

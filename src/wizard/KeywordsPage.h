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
    KeywordsPage(QWidget *window, Prompts &prompts);

    std::array<KeywordRule, RewriteSettings::KeywordRows> rules() const;

    // A row with a keyword but an empty replacement keeps the page.
    bool validate() override;
    void reset() override;

private:
    Prompts &m_prompts;
    std::array<QLineEdit *, RewriteSettings::KeywordRows> m_keyword{}, m_replacement{};
    std::array<QRadioButton *, RewriteSettings::KeywordRows> m_change{}, m_keep{};
};

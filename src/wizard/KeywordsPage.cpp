#include "wizard/KeywordsPage.h"

#include "platform/Accessibility.h"

#include <QLineEdit>
#include <QRadioButton>

#include <vector>

namespace {

constexpr int Rows = RewriteSettings::KeywordRows;
constexpr int FirstRowTop = 600;
constexpr int RowPitch = 600;

const char *const FrameNames[] = {"FraKey1", "FraKey2", "FraKey3", "FraKey4", "FraKey5"};
const char *const ChangeNames[] = {"Opt1a", "opt2a", "opt3a", "opt4a", "opt5a"};
const char *const KeepNames[] = {"opt1b", "opt2b", "opt3b", "opt4b", "opt5b"};
const char *const KeywordNames[] = {"Txt1", "Txt2", "Txt3", "Txt4", "Txt5"};
const char *const ReplacementNames[] = {"TxtTo1", "TxtTo2", "TxtTo3", "TxtTo4", "TxtTo5"};

// The question, then one row of seven controls for each keyword, 600 twips apart.
std::vector<ControlSpec> controls()
{
    std::vector<ControlSpec> specs{
        {ControlSpec::Label, "lblChangeThis", "Do you want to keep certain keywords in your content?", 2520, 120, 4500, 195},
    };
    for (int row = 0; row < Rows; ++row) {
        const int top = FirstRowTop + row * RowPitch;
        const char *frame = FrameNames[row];
        specs.insert(specs.end(), {
            {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, top, 1815, 195},
            {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, top + 240, 2445, 195},
            {ControlSpec::PlainFrame, frame, "", 3280, top, 255, 495},
            {ControlSpec::Option, ChangeNames[row], "", 30, 0, 225, 195, frame, false, true},
            {ControlSpec::Option, KeepNames[row], "", 30, 240, 225, 195, frame},
            {ControlSpec::LineBox, KeywordNames[row], "", 3600, top, 1935, 420},
            {ControlSpec::Label, "lblToThis", "to this keyword", 5670, top + 120, 1320, 195},
            {ControlSpec::LineBox, ReplacementNames[row], "", 7110, top, 1935, 420},
        });
    }
    return specs;
}

} // namespace

KeywordsPage::KeywordsPage(QWidget *window, Prompts &prompts)
    : WizardPage("FraKeywords", "Keywords", window, controls()), m_prompts(prompts)
{
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        m_keyword[row] = control<QLineEdit>(KeywordNames[row]);
        m_replacement[row] = control<QLineEdit>(ReplacementNames[row]);
        m_change[row] = control<QRadioButton>(ChangeNames[row]);
        m_keep[row] = control<QRadioButton>(KeepNames[row]);
        QLineEdit *keyword = m_keyword[row];
        QLineEdit *replacement = m_replacement[row];
        QRadioButton *keep = m_keep[row];
        const QString number = QString::number(row + 1);
        nameForScreenReaders(m_change[row], QStringLiteral("Change keyword ") + number);
        nameForScreenReaders(keep, QStringLiteral("Keep keyword ") + number + QStringLiteral(" the same"));
        nameForScreenReaders(keyword, QStringLiteral("Keyword ") + number);
        nameForScreenReaders(replacement, QStringLiteral("Replacement ") + number,
                             QStringLiteral("The word that keyword ") + number + QStringLiteral(" becomes."));
        // Keep mode locks the replacement; it shows its text and takes the focus.
        connect(keep, &QRadioButton::toggled, replacement, &QLineEdit::setReadOnly);
        // While keeping, the replacement follows the keyword as it changes.
        connect(keyword, &QLineEdit::textChanged, replacement, [keep, replacement](const QString &text) {
            if (keep->isChecked())
                replacement->setText(text);
        });
    }
    // Enter walks Txt1, TxtTo1, Txt2, ... and stops at TxtTo5.
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        QLineEdit *replacement = m_replacement[row];
        connect(m_keyword[row], &QLineEdit::returnPressed, replacement, [replacement] { replacement->setFocus(); });
        if (row + 1 < RewriteSettings::KeywordRows) {
            QLineEdit *nextKeyword = m_keyword[row + 1];
            connect(replacement, &QLineEdit::returnPressed, nextKeyword, [nextKeyword] { nextKeyword->setFocus(); });
        }
    }
}

std::array<KeywordRule, RewriteSettings::KeywordRows> KeywordsPage::rules() const
{
    std::array<KeywordRule, RewriteSettings::KeywordRows> rules;
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row)
        rules[row] = {m_keyword[row]->text(), m_replacement[row]->text(), m_keep[row]->isChecked()};
    return rules;
}

bool KeywordsPage::validate()
{
    // A keyword to change needs its replacement.
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        if (!m_keyword[row]->text().isEmpty() && m_replacement[row]->text().isEmpty())
            return refuse(m_prompts, QStringLiteral("Please fill replace text"), m_replacement[row]);
    }
    return true;
}

void KeywordsPage::reset()
{
    for (QLineEdit *box : m_keyword)
        box->clear();
    for (QLineEdit *box : m_replacement)
        box->clear();
    for (QRadioButton *option : m_change)
        option->setChecked(true);
}

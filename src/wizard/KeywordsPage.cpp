#include "wizard/KeywordsPage.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "Do you want to keep certain keywords in your content?", 2520, 120, 4500, 195},
    {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, 600, 1815, 195},
    {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, 840, 2445, 195},
    {ControlSpec::PlainFrame, "FraKey1", "", 3280, 600, 255, 495},
    {ControlSpec::Option, "Opt1a", "", 30, 0, 225, 195, "FraKey1", false, true},
    {ControlSpec::Option, "opt1b", "", 30, 240, 225, 195, "FraKey1"},
    {ControlSpec::LineBox, "Txt1", "", 3600, 600, 1935, 420},
    {ControlSpec::Label, "lblToThis", "to this keyword", 5670, 720, 1320, 195},
    {ControlSpec::LineBox, "TxtTo1", "", 7110, 600, 1935, 420},
    {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, 1200, 1815, 195},
    {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, 1440, 2445, 195},
    {ControlSpec::PlainFrame, "FraKey2", "", 3280, 1200, 255, 495},
    {ControlSpec::Option, "opt2a", "", 30, 0, 225, 195, "FraKey2", false, true},
    {ControlSpec::Option, "opt2b", "", 30, 240, 225, 195, "FraKey2"},
    {ControlSpec::LineBox, "Txt2", "", 3600, 1200, 1935, 420},
    {ControlSpec::Label, "lblToThis", "to this keyword", 5670, 1320, 1320, 195},
    {ControlSpec::LineBox, "TxtTo2", "", 7110, 1200, 1935, 420},
    {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, 1800, 1815, 195},
    {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, 2040, 2445, 195},
    {ControlSpec::PlainFrame, "FraKey3", "", 3280, 1800, 255, 495},
    {ControlSpec::Option, "opt3a", "", 30, 0, 225, 195, "FraKey3", false, true},
    {ControlSpec::Option, "opt3b", "", 30, 240, 225, 195, "FraKey3"},
    {ControlSpec::LineBox, "Txt3", "", 3600, 1800, 1935, 420},
    {ControlSpec::Label, "lblToThis", "to this keyword", 5670, 1920, 1320, 195},
    {ControlSpec::LineBox, "TxtTo3", "", 7110, 1800, 1935, 420},
    {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, 2400, 1815, 195},
    {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, 2640, 2445, 195},
    {ControlSpec::PlainFrame, "FraKey4", "", 3280, 2400, 255, 495},
    {ControlSpec::Option, "opt4a", "", 30, 0, 225, 195, "FraKey4", false, true},
    {ControlSpec::Option, "opt4b", "", 30, 240, 225, 195, "FraKey4"},
    {ControlSpec::LineBox, "Txt4", "", 3600, 2400, 1935, 420},
    {ControlSpec::Label, "lblToThis", "to this keyword", 5670, 2520, 1320, 195},
    {ControlSpec::LineBox, "TxtTo4", "", 7110, 2400, 1935, 420},
    {ControlSpec::Label, "lblChangeThis", "Change this keyword", 1470, 3000, 1815, 195},
    {ControlSpec::Label, "lblKeepThis", "Keep this keyword the same", 840, 3240, 2445, 195},
    {ControlSpec::PlainFrame, "FraKey5", "", 3280, 3000, 255, 495},
    {ControlSpec::Option, "opt5a", "", 30, 0, 225, 195, "FraKey5", false, true},
    {ControlSpec::Option, "opt5b", "", 30, 240, 225, 195, "FraKey5"},
    {ControlSpec::LineBox, "Txt5", "", 3600, 3000, 1935, 420},
    {ControlSpec::Label, "lblToThis", "to this keyword", 5670, 3120, 1320, 195},
    {ControlSpec::LineBox, "TxtTo5", "", 7110, 3000, 1935, 420},
};

const char *const ChangeNames[] = {"Opt1a", "opt2a", "opt3a", "opt4a", "opt5a"};
const char *const KeepNames[] = {"opt1b", "opt2b", "opt3b", "opt4b", "opt5b"};
const char *const KeywordNames[] = {"Txt1", "Txt2", "Txt3", "Txt4", "Txt5"};
const char *const ReplacementNames[] = {"TxtTo1", "TxtTo2", "TxtTo3", "TxtTo4", "TxtTo5"};

} // namespace

KeywordsPage::KeywordsPage(QWidget *window) : WizardPage("FraKeywords", "Keywords", window, Controls)
{
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        m_keyword[row] = control<QLineEdit>(KeywordNames[row]);
        m_replacement[row] = control<QLineEdit>(ReplacementNames[row]);
        m_change[row] = control<QRadioButton>(ChangeNames[row]);
        m_keep[row] = control<QRadioButton>(KeepNames[row]);
        QLineEdit *keyword = m_keyword[row];
        QLineEdit *replacement = m_replacement[row];
        QRadioButton *keep = m_keep[row];
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

int KeywordsPage::firstIncompleteRow() const
{
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        if (!m_keyword[row]->text().isEmpty() && m_replacement[row]->text().isEmpty())
            return row;
    }
    return -1;
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

#include "wizard/LegibilityPage.h"

#include "platform/Accessibility.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "Who will read your new content, people or search engine bots?", 2280, 240, 5400, 195},
    {ControlSpec::BorderedFrame, "fraLeg", "", 1200, 600, 7575, 1575},
    {ControlSpec::Slider, "slLeg", "", 720, 480, 6255, 615, "fraLeg"},
    {ControlSpec::Label, "lblLegibility", "5% Legibility", 240, 1200, 1140, 195, "fraLeg"},
    {ControlSpec::Label, "lblLegibility", "80% Legibility", 6120, 1200, 1380, 195, "fraLeg"},
    {ControlSpec::Label, "lblToThis", "Drag the tolerance bar to set the legibility factor", 2880, 2520, 4140, 195},
    {ControlSpec::HelpIcon, "imgHelpLegibility", "", 7080, 2520, 240, 240},
    {ControlSpec::CheckBox, "chkFit", "Fit each synonym to its sentence", 2400, 2940, 3240, 255},
    {ControlSpec::Button, "CmdChoose", "Choose synonyms...", 5760, 2880, 1725, 375},
    {ControlSpec::Label, "lblChangeThis", "This will also determine how unique your content is.", 2400, 3480, 5085, 195},
};

} // namespace

LegibilityPage::LegibilityPage(QWidget *window) : WizardPage("FraLegibility", "Legibility", window, Controls)
{
    m_slider = control<QSlider>("slLeg");
    m_fit = control<QCheckBox>("chkFit");
    m_fit->setToolTip(QStringLiteral("Draws only synonyms of the word's part of speech and form that a language "
                                     "model finds natural in the sentence, keeps capitals and punctuation, and "
                                     "leaves names alone."));
    nameForScreenReaders(m_slider, QStringLiteral("Legibility, 5 to 80 per cent"),
                         QStringLiteral("The share of the words that stays unchanged: low for search engine bots, "
                                        "high for people."));
    nameForScreenReaders(m_fit, m_fit->text(), m_fit->toolTip());
    m_choose = control<QPushButton>("CmdChoose");
    m_choose->setEnabled(false);
    nameForScreenReaders(m_choose, QStringLiteral("Choose synonyms"),
                         QStringLiteral("Opens the text with every word's synonyms to tick, for the fitted reprints."));
    connect(m_fit, &QCheckBox::toggled, m_choose, &QPushButton::setEnabled);
    connect(m_choose, &QPushButton::clicked, this, &LegibilityPage::chooseRequested);
}

bool LegibilityPage::fitToSentence() const
{
    return m_fit->isChecked();
}

int LegibilityPage::legibility() const
{
    return m_slider->value();
}

void LegibilityPage::reset()
{
    m_slider->setValue(80);
    m_fit->setChecked(false);
}

#include "wizard/ReprintsPage.h"

#include "platform/Accessibility.h"
#include "engine/Numbers.h"
#include "wizard/DigitFilter.h"

#include <QLineEdit>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "How many different reprints or variations would you like?", 2880, 960, 4920, 195},
    {ControlSpec::LineBox, "TxtReprints", "1", 4800, 1560, 975, 375},
};

} // namespace

ReprintsPage::ReprintsPage(QWidget *window, Prompts &prompts)
    : WizardPage("FraReprints", "Reprints", window, Controls), m_prompts(prompts)
{
    m_count = control<QLineEdit>("TxtReprints");
    nameForScreenReaders(m_count, QStringLiteral("How many different reprints or variations would you like?"));
    new DigitBoxFilter(m_count);
}

QString ReprintsPage::countText() const
{
    return m_count->text();
}

std::optional<qint64> ReprintsPage::confirmCount()
{
    const std::optional<double> value = decimalNumber(m_count->text());
    const qint64 rounded = value ? roundHalfEven(*value) : 0;
    // No reprint at all is no run: it would report content made over an empty box.
    if (value && rounded >= 1 && rounded <= LargestCount)
        return rounded;
    refuse(m_prompts,
           QStringLiteral("The number of reprints must be a whole number from 1 to %1. "
                          "Please go back to the Reprints page and correct it.")
               .arg(LargestCount),
           nullptr);
    return std::nullopt;
}

void ReprintsPage::reset()
{
    m_count->setText(QStringLiteral("1"));
}

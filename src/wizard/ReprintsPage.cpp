#include "wizard/ReprintsPage.h"

#include "platform/Numbers.h"
#include "wizard/DigitFilter.h"

#include <QLineEdit>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "How many different reprints or variations would you like?", 2880, 960, 4920, 195},
    {ControlSpec::LineBox, "TxtReprints", "1", 4800, 1560, 975, 375},
};

} // namespace

ReprintsPage::ReprintsPage(QWidget *window) : WizardPage("FraReprints", "Reprints", window, Controls)
{
    m_count = control<QLineEdit>("TxtReprints");
    new DigitBoxFilter(m_count);
}

QString ReprintsPage::countText() const
{
    return m_count->text();
}

std::optional<qint64> ReprintsPage::count() const
{
    const std::optional<double> value = decimalNumber(m_count->text());
    if (!value)
        return std::nullopt;
    const qint64 rounded = roundHalfEven(*value);
    if (rounded < -32768 || rounded > LargestCount)
        return std::nullopt;
    return rounded;
}

void ReprintsPage::reset()
{
    m_count->setText(QStringLiteral("1"));
}

#include "wizard/StretchPage.h"

#include "wizard/DigitFilter.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "LblContanWords", "Your original content contains <words> words.", 2910, 600, 4005, 195},
    {ControlSpec::Label, "lblChangeThis", "The new content should contain", 2760, 1560, 2700, 195},
    {ControlSpec::LineBox, "txtNewContent", "", 5520, 1440, 975, 375},
    {ControlSpec::Label, "lblRewrite", "words", 6600, 1560, 510, 195},
    {ControlSpec::Label, "lblWhenYou", "When you change the number of words in your content,random words", 1680, 2880, 6810, 195},
    {ControlSpec::Label, "lblWillBe", "will be inserted into the content at random points throughout.", 2160, 3120, 6090, 195},
    {ControlSpec::Label, "lblObvisouslyThis", "Obvisously this will have an effect on legibility.", 3000, 3360, 4650, 195},
};

} // namespace

StretchPage::StretchPage(QWidget *window) : WizardPage("FraStretch", "Stretch", window, Controls)
{
    m_count = control<QLabel>("LblContanWords");
    m_target = control<QLineEdit>("txtNewContent");
    new DigitBoxFilter(m_target);
}

void StretchPage::showWordCount(qint64 count)
{
    m_count->setText(QStringLiteral("Your original content contains %1 words.").arg(count));
    m_target->setText(QString::number(count));
}

QString StretchPage::targetText() const
{
    return m_target->text();
}

bool StretchPage::targetIsWorkable() const
{
    // Anything that reads as a number counts, however long its digits run.
    bool number = false;
    const double target = m_target->text().trimmed().toDouble(&number);
    return !number || target <= double(LargestTarget);
}

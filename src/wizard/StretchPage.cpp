#include "wizard/StretchPage.h"

#include "engine/ReprintRun.h"
#include "platform/Numbers.h"
#include "platform/TextBox.h"
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

StretchPage::StretchPage(QWidget *window, Prompts &prompts, ReprintRun &run, const TextBox &preview)
    : WizardPage("FraStretch", "Stretch", window, Controls), m_prompts(prompts), m_run(run), m_preview(preview)
{
    m_count = control<QLabel>("LblContanWords");
    m_target = control<QLineEdit>("txtNewContent");
    new DigitBoxFilter(m_target);
}

void StretchPage::enter()
{
    const qint64 count = m_run.FillWordList(m_preview.text());
    m_count->setText(QStringLiteral("Your original content contains %1 words.").arg(count));
    m_target->setText(QString::number(count));
}

std::optional<double> StretchPage::target() const
{
    return decimalNumber(m_target->text());
}

bool StretchPage::confirmTarget()
{
    // A number too long to count exactly is still a number, and far too large.
    const std::optional<double> words = target();
    const bool workable = words ? *words <= double(LargestTarget) : !looksLikeDecimalNumber(m_target->text());
    if (workable)
        return true;
    return refuse(m_prompts,
                  QStringLiteral("The new content can hold at most %1 words. "
                                 "Please go back to the Stretch page and correct it.")
                      .arg(LargestTarget),
                  nullptr);
}

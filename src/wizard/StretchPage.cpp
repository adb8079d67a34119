#include "wizard/StretchPage.h"

#include "engine/ReprintRun.h"
#include "platform/Accessibility.h"
#include "engine/Numbers.h"
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

StretchPage::StretchPage(QWidget *window, Prompts &prompts, ReprintRun &run, const TextBox &preview,
                         qint64 largest)
    : WizardPage("FraStretch", "Stretch", window, Controls), m_prompts(prompts), m_run(run), m_preview(preview),
      m_largest(largest)
{
    m_count = control<QLabel>("LblContanWords");
    m_target = control<QLineEdit>("txtNewContent");
    nameForScreenReaders(m_target, QStringLiteral("The new content should contain this many words"),
                         QStringLiteral("More words than the original inserts random words at random points."));
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

std::optional<QString> StretchPage::textProblem() const
{
    const qint64 words = m_run.wordList().originalWordCount();
    if (words <= m_largest)
        return std::nullopt;
    return QStringLiteral("Your original content contains %1 words, and Penrook rewrites texts of up to %2 words. "
                          "Please shorten it on the Preview page.")
        .arg(words)
        .arg(m_largest);
}

std::optional<QString> StretchPage::targetProblem() const
{
    const QString typed = m_target->text();
    if (!looksLikeDecimalNumber(typed)) {
        const QString ask = QStringLiteral("Please type the number of words the new content should contain.");
        if (typed.trimmed().isEmpty())
            return ask;
        const QString shown = typed.size() > 40 ? typed.left(40) + QStringLiteral("...") : typed;
        return QStringLiteral("\"%1\" is not a number of words. ").arg(shown) + ask;
    }
    // A number too long to count exactly is still a number, and far too large.
    const std::optional<double> words = decimalNumber(typed);
    if (words && *words <= double(m_largest))
        return std::nullopt;
    return QStringLiteral("The new content can hold at most %1 words.").arg(m_largest);
}

bool StretchPage::validate()
{
    if (const auto why = textProblem())
        return refuse(m_prompts, *why, nullptr);
    if (const auto why = targetProblem())
        return refuse(m_prompts, *why, m_target);
    return true;
}

bool StretchPage::confirmTarget()
{
    std::optional<QString> why = textProblem();
    if (!why)
        why = targetProblem();
    if (!why)
        return true;
    return refuse(m_prompts, *why + QStringLiteral(" Please go back to the Stretch page and correct it."), nullptr);
}

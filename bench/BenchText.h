#pragma once
// The English text the speed benchmarks rewrite: a paragraph of ordinary prose
// repeated to any length, a line break after every 16 words.

#include <QString>
#include <QStringList>

namespace {

const char *const Prose =
    "The committee met early in the morning to review the proposal before the final vote. "
    "Several members raised concerns about the cost of the project and the time it would take "
    "to finish the work. Others argued that the benefits for the town would be large and lasting, "
    "since a new library would give children a quiet place to read and study after school. "
    "After a long and sometimes heated debate the chairman asked each member to state a clear "
    "position. Most of them agreed that the plan was sound, although a few still doubted whether "
    "the budget was realistic. In the end the proposal passed by a narrow margin, and the builders "
    "were told to start as soon as the weather allowed. People in the street seemed happy with the "
    "news, and the local paper printed a short story about the decision on its front page.";

QString makeText(qsizetype words)
{
    const QStringList source = QString::fromLatin1(Prose).split(QLatin1Char(' '));
    QString text;
    text.reserve(words * 7);
    for (qsizetype i = 0; i < words; ++i) {
        text += source.at(i % source.size());
        text += (i % 16 == 15) ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    return text;
}

} // namespace

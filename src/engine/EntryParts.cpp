#include "engine/EntryParts.h"

#include <algorithm>

namespace {

bool isOpening(QChar c)
{
    return QStringLiteral("\"'([{\u201C\u2018\u00AB\u2014\u2013-").contains(c);
}

bool isClosing(QChar c)
{
    return QStringLiteral(".,;:!?\"')]}\u201D\u2019\u00BB\u2014\u2013-\u2026").contains(c);
}

} // namespace

EntryParts EntryParts::of(const QString &entry)
{
    qsizetype from = 0;
    qsizetype to = entry.size();
    while (from < to && isOpening(entry.at(from)))
        ++from;
    while (to > from && isClosing(entry.at(to - 1)))
        --to;
    return {entry.left(from), entry.mid(from, to - from), entry.mid(to)};
}

bool EntryParts::endsSentence() const
{
    return std::any_of(trailing.begin(), trailing.end(),
                       [](QChar c) { return c == QLatin1Char('.') || c == QLatin1Char('?') || c == QLatin1Char('!'); });
}

bool EntryParts::isAllCapitals(const QString &word)
{
    qsizetype letters = 0;
    for (const QChar c : word) {
        if (c.isLower())
            return false;
        letters += c.isUpper() ? 1 : 0;
    }
    return letters >= 2;
}

bool EntryParts::isCapitalised(const QString &word)
{
    return !word.isEmpty() && word.at(0).isUpper();
}

bool EntryParts::isLeftAlone(const QString &word)
{
    for (const QChar c : word) {
        if (c.isDigit() || c == QLatin1Char('@') || c == QLatin1Char('/'))
            return true;
    }
    if (isAllCapitals(word))
        return false;
    return std::any_of(word.begin() + std::min<qsizetype>(1, word.size()), word.end(),
                       [](QChar c) { return c.isUpper(); });
}

QString EntryParts::withCapitalsOf(const QString &synonym, const QString &original)
{
    if (isAllCapitals(original))
        return synonym.toUpper();
    if (isCapitalised(original) && !synonym.isEmpty())
        return synonym.at(0).toUpper() + synonym.mid(1);
    return synonym;
}

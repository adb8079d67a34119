#include "engine/WordList.h"

#include "engine/WordChanges.h"

#include <algorithm>

bool WordList::isShort(const QString &word)
{
    if (word.size() < 4)
        return true;
    if (word.size() >= 8)
        return false; // eight UTF-16 units hold at least four code points
    qsizetype characters = 0;
    for (qsizetype i = 0; i < word.size() && characters < 4; ++i)
        characters += word.at(i).isLowSurrogate() ? 0 : 1;
    return characters < 4;
}

quint8 WordList::traitsOf(const QString &entry)
{
    quint8 traits = 0;
    if (isShort(entry))
        traits |= Short;
    if (entry.endsWith(Marker))
        traits |= Marked;
    if (entry.contains(QLatin1Char(' ')))
        traits |= Spaced;
    return traits;
}

qsizetype WordList::FillWordList(const QString &text)
{
    m_entries.clear();
    m_traits.clear();
    m_parts.clear();
    ++m_generation;
    qsizetype words = 0;
    const QStringView all(text);
    cut(
        all,
        [&](qsizetype start, qsizetype length) {
            const QStringView piece = all.mid(start, length);
            m_entries.append(piece.toString());
            m_traits.push_back(traitsOf(m_entries.back()));
            m_parts.push_back({WordChanges::countWords(piece), 0, 0, WordChanges::Same});
            ++words;
        },
        [&] {
            m_entries.append(LineBreak);
            m_traits.push_back(Short);
            m_parts.push_back({0, 0, 0, WordChanges::Same});
        });
    m_original = m_entries;
    m_originalWordCount = words;
    return words;
}

void WordList::setEntry(qsizetype position, const QString &text)
{
    if (position >= 0 && position < m_entries.size()) {
        m_entries[position] = text;
        m_traits[size_t(position)] = traitsOf(text);
        m_parts[size_t(position)] = {WordChanges::countWords(text), 0, 0, headKindOf(position, text)};
    } else {
        m_entries.append(text);
        m_traits.push_back(traitsOf(text));
        m_parts.push_back({0, text.size(), WordChanges::countWords(text), WordChanges::Inserted});
    }
}

void WordList::appendWord(qsizetype position, const QString &word)
{
    unmark(position);
    QString &entry = m_entries[position];
    const size_t at = size_t(position);
    entry += QLatin1Char(' ');
    entry += word;
    // Read from the word alone: the entry may have grown long.
    quint8 traits = Spaced;
    if (isShort(entry))
        traits |= Short;
    if (word.endsWith(Marker))
        traits |= Marked;
    m_traits[at] = traits;
    m_parts[at].inserted += 1 + word.size();
    m_parts[at].insertedWords += WordChanges::countWords(word);
}

void WordList::unmark(qsizetype position)
{
    const size_t at = size_t(position);
    if (!(m_traits[at] & Marked))
        return;
    QString &entry = m_entries[position];
    entry.chop(Marker.size());
    m_traits[at] = traitsOf(entry);
    // The marker ends the inserted words when there are any, else the head.
    Parts &parts = m_parts[at];
    parts.inserted -= std::min(parts.inserted, Marker.size());
    parts.headWords = WordChanges::countWords(QStringView(entry).chopped(parts.inserted));
    parts.insertedWords = WordChanges::countWords(QStringView(entry).right(parts.inserted));
    parts.headKind = headKindOf(position, QStringView(entry).chopped(parts.inserted));
}

quint8 WordList::headKindOf(qsizetype position, QStringView head) const
{
    if (position >= m_original.size())
        return WordChanges::Inserted;
    return head == m_original.at(position) ? WordChanges::Same : WordChanges::Changed;
}

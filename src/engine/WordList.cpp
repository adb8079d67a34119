#include "engine/WordList.h"

bool WordList::isShort(const QString &word)
{
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
    if (entry.endsWith(QLatin1String("###")))
        traits |= Marked;
    if (entry.contains(QLatin1Char(' ')))
        traits |= Spaced;
    return traits;
}

qsizetype WordList::FillWordList(const QString &text)
{
    m_entries.clear();
    m_traits.clear();
    m_inserted.clear();
    ++m_generation;
    qsizetype words = 0;
    if (!text.isEmpty()) {
        const QStringView all(text);
        qsizetype lineStart = 0;
        while (true) {
            const qsizetype lineEnd = all.indexOf(LineBreak, lineStart);
            const QStringView line = all.mid(lineStart, (lineEnd < 0 ? all.size() : lineEnd) - lineStart);
            qsizetype pieceStart = 0;
            while (pieceStart <= line.size()) {
                qsizetype pieceEnd = line.indexOf(QLatin1Char(' '), pieceStart);
                if (pieceEnd < 0)
                    pieceEnd = line.size();
                if (pieceEnd > pieceStart) {
                    m_entries.append(line.mid(pieceStart, pieceEnd - pieceStart).toString());
                    m_traits.push_back(traitsOf(m_entries.back()));
                    ++words;
                }
                pieceStart = pieceEnd + 1;
            }
            m_entries.append(LineBreak);
            m_traits.push_back(Short);
            if (lineEnd < 0)
                break;
            lineStart = lineEnd + LineBreak.size();
        }
    }
    m_inserted.assign(size_t(m_entries.size()), 0);
    m_original = m_entries;
    m_originalWordCount = words;
    return words;
}

void WordList::setEntry(qsizetype position, const QString &text)
{
    if (position >= 0 && position < m_entries.size()) {
        m_entries[position] = text;
        m_traits[size_t(position)] = traitsOf(text);
        m_inserted[size_t(position)] = 0;
    } else {
        m_entries.append(text);
        m_traits.push_back(traitsOf(text));
        m_inserted.push_back(text.size());
    }
}

void WordList::appendWord(qsizetype position, const QString &word)
{
    QString &entry = m_entries[position];
    if (m_traits[size_t(position)] & Marked)
        entry.chop(3);
    entry += QLatin1Char(' ');
    entry += word;
    m_traits[size_t(position)] = traitsOf(entry);
    m_inserted[size_t(position)] += 1 + word.size();
}

#include "engine/WordChanges.h"

#include <algorithm>

WordChanges::WordChanges(std::vector<quint8> kinds) : m_kinds(std::move(kinds))
{
    m_changed = std::count(m_kinds.begin(), m_kinds.end(), quint8(Changed));
    m_inserted = std::count(m_kinds.begin(), m_kinds.end(), quint8(Inserted));
}

qsizetype WordChanges::countWords(QStringView text)
{
    qsizetype words = 0;
    Cutter cutter;
    const auto count = [&words](qsizetype, qsizetype) { ++words; };
    cutter.feed(text, 0, count);
    cutter.end(text.size(), count);
    return words;
}

WordChanges WordChanges::ofCharacters(QStringView text, std::span<const quint8> kinds)
{
    std::vector<quint8> words;
    const auto kindOf = [&](qsizetype start, qsizetype end) {
        quint8 word = Same;
        for (qsizetype i = start; i < end && word != Changed; ++i) {
            if (kinds[size_t(i)] != Same)
                word = kinds[size_t(i)];
        }
        words.push_back(word);
    };
    Cutter cutter;
    cutter.feed(text, 0, kindOf);
    cutter.end(text.size(), kindOf);
    return WordChanges(std::move(words));
}

#include "engine/WordChanges.h"

#include <algorithm>

WordChanges::WordChanges(std::vector<quint8> kinds) : m_kinds(std::move(kinds))
{
    m_changed = std::count(m_kinds.begin(), m_kinds.end(), quint8(Changed));
    m_inserted = std::count(m_kinds.begin(), m_kinds.end(), quint8(Inserted));
}

WordChanges WordChanges::ofCharacters(QStringView text, std::span<const quint8> kinds)
{
    std::vector<quint8> words;
    bool inWord = false;
    quint8 word = Same;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (separates(text[i])) {
            if (inWord)
                words.push_back(word);
            inWord = false;
            continue;
        }
        if (!inWord) {
            inWord = true;
            word = Same;
        }
        const quint8 kind = kinds[size_t(i)];
        if (kind == Changed || (kind == Inserted && word == Same))
            word = kind;
    }
    if (inWord)
        words.push_back(word);
    return WordChanges(std::move(words));
}

#pragma once

#include <QHash>
#include <QString>

// How common an English word is, by the size levels of the SCOWL word lists
// that Debian's scowl package ships (the lists behind wamerican-small, wamerican
// and wamerican-large): 10 and 20 hold the commonest words, 35 those of a small
// dictionary, 50 a medium one, 70 a large one, 80 and 95 the rare and the
// obscure. The lists hold inflected forms too, so a form that no list holds up
// to a size is not in ordinary use. Proper names are in lists of their own,
// which are not read: a name is never a common word.
class WordFrequency
{
public:
    static constexpr int Unknown = 1000;

    // Reads english-words.N and american-words.N from `folder`.
    explicit WordFrequency(const QString &folder = QStringLiteral("/usr/share/dict/scowl"));
    bool loaded() const { return !m_levels.isEmpty(); }

    // The smallest size level whose list holds `word` exactly as spelt, or Unknown.
    int level(const QString &word) const { return m_levels.value(word, Unknown); }
    // Level 10 and 20 are 0, 35 and 40 are 1, 50 and 55 are 2, 60 and 70 are 3,
    // 80 and 95 are 4, a word in no list 5.
    static int tier(int level);
    int tierOf(const QString &word) const { return tier(level(word)); }

private:
    QHash<QString, int> m_levels;
};

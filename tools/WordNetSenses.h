#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// WordNet's senses of English words with how often each was met in its tagged
// corpus: index.{noun,verb,adj,adv} list a word's senses most frequent first,
// data.* the words of each sense, cntlist.rev the count of every sense.
class WordNetSenses
{
public:
    enum class Pos { Noun, Verb, Adjective, Adverb };
    static constexpr int PosCount = 4;

    struct Sense
    {
        quint32 synset = 0; // offset in data.<pos>
        int count = 0;      // times tagged in the corpus
    };

    // Reads the files from `folder`; loaded() is false when any is missing.
    explicit WordNetSenses(const QString &folder = QStringLiteral("/usr/share/wordnet"));
    bool loaded() const { return m_loaded; }

    // The senses of `lemma` (any letter case; spaces between words) as a part
    // of speech, most frequent first; empty when WordNet does not know it so.
    const QVector<Sense> &senses(const QString &lemma, Pos pos) const;
    // Every lemma WordNet knows as a part of speech, letter case folded, with
    // spaces between words.
    QStringList lemmas(Pos pos) const { return m_senses[int(pos)].keys(); }
    // The words of a sense, as WordNet spells them ("Thomas More", "carry out").
    const QStringList &members(Pos pos, quint32 synset) const;

    // The words WordNet gives as opposites of any sense of `lemma` as a part
    // of speech (for an adjective sense that is only similar to another, that
    // one's opposites too): "paternal" for "maternal".
    QSet<QString> antonyms(const QString &lemma, Pos pos) const;

    // "noun", "verb", "adj", "adv" (the thesaurus's labels), or nullopt.
    static std::optional<Pos> posOf(const QString &label);

private:
    bool m_loaded = false;
    QHash<QString, QVector<Sense>> m_senses[PosCount];   // folded lemma -> senses
    QHash<quint32, QStringList> m_members[PosCount];      // synset -> words
    QHash<quint32, QVector<quint32>> m_opposites[PosCount]; // synset -> its antonyms' synsets
    QHash<quint32, QVector<quint32>> m_heads;              // adjective satellite -> the senses it is similar to
};

#pragma once

#include "engine/TaggerModel.h"
#include "engine/WordClass.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>
#include <optional>

// Tells the part of speech of each word of a sentence: a second-order hidden
// Markov model over the Penn Treebank tags, decoded by Viterbi.
class PosTagger
{
public:
    // Reads the model from two files: `lexiconPath`, the word lexicon ("MNCL",
    // then one line per word: ("word" ((tag logprob) ...) () ), the log
    // probability of the word given the tag), and `trigramPath`, the tag
    // trigram counts in the NgramBin format. Nothing when either file is
    // missing or malformed; `error`, when not null, then says which and why.
    static std::optional<PosTagger> load(const QString &lexiconPath, const QString &trigramPath, QString *error);

    // The class of each token of one sentence: one result per token, in order.
    // Tokens are words as they stand in the text. Punctuation before or after
    // a word ("\"Hello,", "end.") is split off and read as punctuation, an
    // abbreviation keeps its full stop ("Inc."), and a clitic ("company's",
    // "they're", "don't") is read apart from its word. A token's class is its
    // word's; None for a token with no letter or digit (spaces, line breaks,
    // lone punctuation), for names, pronouns, determiners, numbers and other
    // closed classes, and for a verb contracted with "not". A capital letter
    // marks a name except on the sentence's first word. An empty list gives an
    // empty list.
    QVector<WordClass> tag(const QStringList &tokens) const;

private:
    using Candidate = TaggerModel::Candidate;
    using LexiconEntry = TaggerModel::LexiconEntry;
    struct Scratch;

    PosTagger() = default;
    const LexiconEntry *findAnyCase(QStringView word) const;
    int splitToken(QStringView token, bool &sentenceStart, Scratch &s) const;
    int addWord(QStringView word, bool sentenceStart, Scratch &s) const;
    int addEntry(const LexiconEntry &entry, Scratch &s) const;
    int addPunctuation(Scratch &s) const;
    void guess(QStringView word, bool properName, bool sentenceStart, Scratch &s) const;
    void addGuess(quint8 tag, float weight, Scratch &s) const;
    void decode(Scratch &s) const;

    TaggerModel m_model;
    // The lexicon's entries for the clitics: 's 're 've 'll 'd 'm n't '
    std::array<qint32, 8> m_clitics{};
};

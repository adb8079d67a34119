#pragma once

#include "engine/SynonymChooser.h"
#include "engine/WordClass.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class LanguageModel;
class PosTagger;

// The second way of choosing: each synonym is fitted to the word's sentence.
//  - The word is taken out of its punctuation, which goes back around the
//    synonym; the length rule, the keywords, the marker and the exclusion list
//    apply to the bare word. Words with digits, "@", "/" or inner capitals,
//    capitalised words inside a sentence (names) and words all in capitals
//    among small letters (acronyms) are left alone.
//  - Each sentence of the text is tagged once, and only synonyms of the word's
//    part of speech, in its form, are candidates (the FitSynonyms table).
//  - A language model keeps only the candidates about as likely as the word in
//    its place, judged on the two words on each side; it must know them all.
//  - The synonym takes the word's capitals, and an "a" or "an" before it
//    follows the new word.
//  - A verb keeps its construction: the preposition that follows it within a
//    few words, or the particle, "that" or "like" right after it, must follow
//    the candidate about as readily, and only verbs of
//    hindering take "from" and an -ing form ("restrict them from using"); a
//    verb right before "not" is a modal ("need not") and stays.
//  - A noun the text uses again and again is its subject ("package" in a text
//    about software), whose sense no dictionary can tell: it is left alone,
//    and so are the nouns of a compound ("merge request"), a term of its own,
//    a noun the tagger took for a verb after "the" or "your" ("your needs"),
//    and an adjective in a set phrase ("in particular").
//    So are phrases among the candidates, which read wrongly far more often,
//    and a candidate the sentence already has ("needs ... requires").
// What is learnt of a text (its tags, each place's fitting candidates) holds
// until the word list is filled again, so a run learns it once.
class FitToSentence : public SynonymChooser
{
public:
    // How much less likely than the word, in natural log units, a candidate
    // may be in the word's place.
    static constexpr double DefaultTolerance = 3.0;
    // A noun this many times in a text, in any form, is one of its subjects.
    static constexpr int TopicalUses = 3;

    FitToSentence(WordStore &store, const PosTagger &tagger, const LanguageModel &model,
                  double tolerance = DefaultTolerance);
    ~FitToSentence() override;

    void beginVariation(const WordList &list) override;
    Check check(const WordList &list, qsizetype position, std::span<const QString> keywords) override;
    StoreAnswer<Choice> choose(WordList &list, qsizetype position, DrawSource &draws) override;

    // What was learnt of the text last begun: the class of each entry, and
    // whether it starts a sentence.
    WordClass classAt(qsizetype position) const;
    bool startsSentence(qsizetype position) const;
    // The candidates that fit the place of the original word at `position`,
    // best first (learnt on first need).
    StoreAnswer<QStringList> fittingAt(qsizetype position);
    // How much likelier (natural log units; below zero, less likely) a fitting
    // candidate is than the original word in its place; none for one that does not fit.
    std::optional<double> marginAt(qsizetype position, const QString &candidate);

private:
    void learn(const WordList &list);
    // The model's ids of the original words around `position` in its sentence.
    struct Context
    {
        int beforePrevious, previous, next, afterNext;
        bool afterArticle; // previous is "a" or "an", which will follow the word put here
    };
    Context contextOf(qsizetype position) const;
    // How likely `text` (a word or a phrase of words the model knows, given as
    // their ids) is in that context, in natural log units.
    double placeScore(const Context &context, const QString &text, const std::vector<int> &words) const;

    // Whether a word next to `position` in its sentence is all in capitals too.
    bool inCapitals(qsizetype position) const;
    // Whether `word` (lower case) is already in the sentence of `position`.
    bool sentenceHas(qsizetype position, const QString &word) const;
    // Whether `candidate` keeps the construction of the verb at `position`.
    bool keepsConstruction(qsizetype position, const QString &candidate, int candidateId) const;

    WordStore &m_store;
    const PosTagger &m_tagger;
    const LanguageModel &m_model;
    double m_tolerance;

    std::optional<quint64> m_generation;
    QStringList m_original;                     // the entries as filled
    std::vector<WordClass> m_classes;           // per entry
    std::vector<bool> m_sentenceStarts;         // per entry
    struct Place
    {
        QStringList fitting;
        QList<double> margins; // of each fitting candidate
    };
    std::vector<std::optional<Place>> m_fitting; // per entry, once learnt
    std::vector<bool> m_terms; // per entry: one of the text's subjects, part of a compound noun or of a set phrase
};

#pragma once

#include "engine/SynonymChooser.h"
#include "engine/WordClass.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class LanguageModel;
class PosTagger;

// The second way of choosing: a synonym of the word's class and form in its
// sentence, which a language model finds about as likely in the word's place.
// A dictionary cannot tell a word's sense, so what the rules below cannot
// judge safely is left as it stands: fewer words change, and those that do read
// right. Each sentence is tagged once per text; what is learnt of a text holds
// until the word list is filled again.
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

    // What a run draws from at `position`: the fitting candidates (none at a
    // place left alone for safety, see offersAt) less those the user has
    // unticked, then those the user has ticked for the word in its class. The
    // user's own judgement is not put to the language model.
    StoreAnswer<QStringList> tickedAt(qsizetype position);

    // Whether the place of the original word at `position` is offered to the
    // user to choose for: a word that check() opens, or leaves alone only for
    // safety (a noun the text keeps using, a part of a compound noun or of a set
    // phrase). Never a keyword, a word on the exclusion list, a name, a number
    // or an address. Asks the store; a failure offers nothing.
    bool offersAt(const WordList &list, qsizetype position, std::span<const QString> keywords);
    // A candidate the user may choose for a place.
    struct Offer
    {
        QString synonym;              // as the lists, or the user, give it
        QString shown;                // as it would stand there: capitals, and the article before it made to agree
        std::optional<double> margin; // how it fits the place (see marginAt); none when the model cannot tell
        bool ticked = false;          // tickedAt holds it
        int group = 0;                // ticked first, then the lists' likelier, then the rest
        double rank = 0;              // the order within the group, higher first
    };
    // Everything that may be chosen for the place of the original word at
    // `position`: the words offered for it and its class, the fitting ones and
    // those the user has judged; what is ticked first, then the lists' likelier
    // candidates, then the rest, each group best first by fit in the sentence.
    StoreAnswer<QVector<Offer>> offeredAt(qsizetype position);
    // Whether offeredAt would offer anything, without ranking it; false on a failure.
    bool hasOffersAt(qsizetype position);
    // The original word at `position` in lower case and its class's code: what
    // the user's choices are kept under.
    QString wordAt(qsizetype position) const;
    QString classCodeAt(qsizetype position) const { return wordClassCode(classAt(position)); }
    // `synonym` as it would stand at `position` (see Offer::shown).
    QString shownAt(qsizetype position, const QString &synonym) const;

private:
    void learn(const WordList &list);
    void tagSentences();
    // The entries that stay as they are, whatever their synonyms (m_terms).
    void markTopicalNouns();
    void markCompoundNouns();
    void markNounsReadAsVerbs();
    void markSetPhrases();
    bool isNounAt(qsizetype i) const { return isNoun(classAt(i)); }
    // Whether entries i and i + 1 are written as one phrase, with no punctuation between.
    bool joined(qsizetype i) const;

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

    // Whether the entry before `position` is a title such as "Dr." or an initial.
    bool afterTitle(qsizetype position) const;
    // Whether a word next to `position` in its sentence is all in capitals too.
    bool inCapitals(qsizetype position) const;
    // Whether `word` (lower case) is already in the sentence of `position`.
    bool sentenceHas(qsizetype position, const QString &word) const;
    // Whether `candidate` keeps the construction of the verb at `position`.
    bool keepsConstruction(qsizetype position, const QString &candidate, int candidateId) const;
    // The same for the preposition at `at`.
    bool takesThePreposition(qsizetype position, qsizetype at, const QString &candidate, int candidateId) const;
    // "an" or "a" before the synonym just put at `position`, as it needs.
    static void makeTheArticleAgree(WordList &list, qsizetype position, const QString &synonym);

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
        QStringList ticked;    // as tickedAt gives it
        quint64 tickedUnder = 0; // the store's choicesVersion() then, 0 before
    };
    // Why an entry stays as it is, whatever its synonyms (m_terms).
    enum Term : quint8 {
        Topical = 1,    // one of the text's subjects
        Compound = 2,   // part of a compound noun, a term of its own
        ReadAsVerb = 4, // a noun the tagger took for a verb
        SetPhrase = 8,  // an adjective of a set phrase
    };
    bool isTermAt(qsizetype i) const { return i >= 0 && i < qsizetype(m_terms.size()) && m_terms[size_t(i)]; }
    bool isFixedTermAt(qsizetype i) const
    {
        return i >= 0 && i < qsizetype(m_terms.size()) && (m_terms[size_t(i)] & (Compound | ReadAsVerb));
    }
    // Whether the entry at `i` is a word of a verb of two words ("found out",
    // "takes place"), which only the shipped list may change: a synonym the
    // user ticked for the word elsewhere, or a broad one, breaks it.
    bool inPhrasalVerbAt(qsizetype i) { return startsPhrasalVerbAt(i) || startsPhrasalVerbAt(i - 1); }
    // Whether the verb at `i` is the first of those two words. Asked of the
    // store once per entry; a failure counts as no.
    bool startsPhrasalVerbAt(qsizetype i);
    // check() without the places left alone for safety.
    Check checkPlace(const WordList &list, qsizetype position, std::span<const QString> keywords) const;
    // The same, worked out from the entry as it stands.
    Check judge(const WordList &list, qsizetype position, std::span<const QString> keywords) const;
    static constexpr quint8 Unjudged = 255;
    struct Judged
    {
        QString word;               // its bare word
        quint8 verdict = Unjudged;  // its Check without keywords
    };
    mutable std::vector<Judged> m_judged; // per entry of the text as it was filled
    std::vector<std::optional<Place>> m_fitting; // per entry, once learnt
    std::vector<quint8> m_terms; // per entry: the Terms it is
    std::vector<std::optional<bool>> m_phrasal; // per entry: startsPhrasalVerbAt, once asked
};

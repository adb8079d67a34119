#pragma once

#include "ClassSynonyms.h"
#include "ClosedClass.h"
#include "CuratedSynonyms.h"
#include "Inflector.h"
#include "SynonymFilter.h"
#include "WordFrequency.h"
#include "WordNetSenses.h"

#include <QVector>

// The thresholds of SenseSelector.
struct SenseRules
{
    double minShare = 0.6;      // of the word's use that a hand-chosen synonym must fit
    double minSenseShare = 0.75; // the same for a synonym from WordNet's sense groups
    double minHome = 0.5;
    int maxSynonyms = 4;
    int minAttested = 1; // times the corpus must have met a WordNet synonym in the shared sense
    bool inflect = true; // also make the inflected forms as head words

    // The synonyms by word class (selectByClass). The sentence tells the class,
    // so a synonym need only fit most of the class's use, and the article before
    // it can be made to agree; but as blind readings found the looser lists'
    // senses wrong too often for a language model to catch, a synonym must fit
    // three quarters of that use and the hand-chosen list keeps its say.
    double fitMinShare = 0.75;
    double fitMinHome = 0.5;
    int fitMaxSynonyms = 6;
    bool fitKeepArticle = false;
    bool fitHandListDecides = true;

    // What the Choose synonyms window offers (selectOffered): a person judges
    // each one, so the list may be broad.
    int offerMaxSynonyms = 15;
};

// Chooses the English synonyms that fit a word wherever it ordinarily appears.
// The generator draws a synonym without seeing the sentence, so a synonym is
// kept only where it is right for most of the word's uses:
//  - the candidates are the words WordNet puts in a sense with the word (where
//    the thesaurus lists them both ways too), and the synonyms chosen by hand
//    for the word's ordinary use in a part of speech, which fit all its use there
//    (where that list has judged a word, it alone speaks for it);
//  - a word's use is shared out over its readings (each part of speech of the
//    word itself, and of every word it is an inflected form of: "needs" is a
//    plural noun and a verb) and their senses, by WordNet's corpus counts;
//  - a synonym is kept when the senses it shares with the word carry at least
//    `minSenseShare` of that use (`minShare` for a hand-chosen one, which fits
//    the whole of its part of speech), and those senses carry at least
//    `minHome` of the synonym's own use in that part of speech ("package" is
//    seldom software);
//  - every word of it is a common word (the SCOWL lists up to size 55), never
//    more than one size tier rarer than the word, no proper name for a
//    lower-case word, no closed-class word, none that would need "an" where
//    the word takes "a" or the other way round; a phrase of two words at most;
//    outside the hand-chosen list, only one that the corpus met in that sense
//    and not far rarer in that part of speech than the word;
//  - inflected forms are made only where the lists know the form ("softwares"
//    and "wellest" are not English).
// The synonyms are ordered best first (the largest share of use, the hand-chosen
// order, then the more common) and at most `maxSynonyms` are kept.
class SenseSelector
{
public:
    using Rules = SenseRules;

    struct Sources
    {
        const WordNetSenses &senses;
        const WordFrequency &frequency;
        const Inflector &inflector;
        const ClosedClass &closedClass;
        const CuratedSynonyms &curated;
        // The hand-chosen list for the synonyms by class; `curated` when none.
        const CuratedSynonyms *curatedForSentences = nullptr;
    };

    explicit SenseSelector(Sources sources, Rules rules = Rules());

    // Every head word of `thesaurus` (its true synonyms, from selectSynonyms)
    // with the synonyms that pass, followed by the inflected forms that have
    // any. Head words whose synonyms all fail stay, with none.
    QVector<HeadWord> select(const QVector<HeadWord> &thesaurus) const;

    // For a reader that knows the word's class in its sentence: every head word
    // and inflected form with, per word class it can stand in, the synonyms
    // chosen as above from the readings of that class alone ("needs" as a
    // plural noun apart from "needs" as a verb), the word's use shared out
    // within the class, by the `fit` rules. The hand-chosen list may also give
    // synonyms to closed-class words, and closed-class adverbs as synonyms of
    // adverbs ("often" and "frequently"): with the class known and the place
    // checked, they keep their sense. ("following" stays no synonym of the
    // adjective "subsequent": "the following command" is not the next one.) Only classes with synonyms are listed.
    QVector<ClassSynonyms> selectByClass(const QVector<HeadWord> &thesaurus) const;

    // The same classes with what a person may choose from: the words of every
    // WordNet sense of the class and the thesaurus's terms of that part of
    // speech, in the word's form, common words only and single words, however
    // small the share of use they fit, at most `offerMaxSynonyms`; those that
    // would pass looser lists' tests come first (ClassSynonyms::likely).
    QVector<ClassSynonyms> selectOffered(const QVector<HeadWord> &thesaurus) const;

private:
    // The thesaurus entries by head word, letter case folded.
    static QHash<QString, const HeadWord *> byHeadWord(const QVector<HeadWord> &thesaurus);
    struct Reading;
    struct Readings;
    struct Candidate;
    struct Limits
    {
        double minShare;      // for a hand-chosen synonym
        double minSenseShare; // for one from WordNet
        double minHome;
        int maxSynonyms;
        bool keepArticle;     // no synonym that would take "an" where the word takes "a", or the other way round
        bool handListDecides; // a word the hand-chosen list has judged takes nothing from WordNet
        bool closedByHand;    // closed-class words may take synonyms the hand-chosen list names, and adverbs closed-class ones
        const CuratedSynonyms &curated;
        bool broad = false; // no share, home or corpus test: a person judges
    };
    QVector<ClassSynonyms> byClassWith(const QVector<HeadWord> &thesaurus, const Limits &limits) const;

    double senseWeight(const QVector<WordNetSenses::Sense> &senses, qsizetype index) const;
    double mass(const QString &lemma, WordNetSenses::Pos pos) const;
    bool isCommonFor(const QString &synonym, const QString &head) const;
    bool formExists(const QString &form) const;
    Readings readingsOf(const QVector<HeadWord> &thesaurus, const QHash<QString, const HeadWord *> &byHead) const;
    // The synonyms that pass, best first; with `likely`, how many of the first
    // of them an offer puts first (all, but in a broad one).
    QStringList choose(const QString &surface, const QVector<Reading> &readings,
                       const QHash<QString, const HeadWord *> &byHead, const Limits &limits,
                       qsizetype *likely = nullptr) const;

    const WordNetSenses &m_senses;
    const WordFrequency &m_frequency;
    const Inflector &m_inflector;
    const ClosedClass &m_closedClass;
    const CuratedSynonyms &m_curated;
    const CuratedSynonyms &m_curatedForSentences;
    Rules m_rules;
};

#pragma once

#include "engine/ExactLookup.h"
#include "engine/RewriteSettings.h"
#include "engine/WordChanges.h"
#include "startup/ResultSet.h"

#include <QString>

#include <optional>

class DrawSource;
class VariationObserver;
class WordList;
class WordStore;

struct Variation
{
    QString text;
    // Its words against the text the list was last filled with.
    WordChanges changes;
    // A query failed inside the store: the variation is complete but has fewer
    // changes, and no further query was made.
    std::optional<StoreFailure> storeFailure;
};

// Makes one re-worded variation of the text held in a WordList.
class VariationGenerator
{
public:
    // Consecutive failed picks after which the replacing stops.
    static constexpr int FailureLimit = 100;
    // The failure count is a byte; the replacing also stops where it would pass this.
    static constexpr int FailureCeiling = 255;

    VariationGenerator(WordList &list, WordStore &store, DrawSource &draws);

    // The way of choosing synonyms that settings.fitToSentence asks for; none
    // (the default) leaves every variation to the exact lookup.
    void setFitChooser(SynonymChooser *chooser) { m_fit = chooser; }

    // One variation under `settings`, in nine stages:
    //  1. tells the observer a variation starts;
    //  2. takes the change rows (keyword and replacement) and keep rows with a
    //     non-empty keyword;
    //  3. plans round((100 - legibility) * originalWordCount / 100) replacements,
    //     halves to even;
    //  4. shows progress up to the plan (at least 1);
    //  5. replaces random entries by random synonyms, marked "###" for this call,
    //     until the plan is met or more than 100 failed picks (short, keyword,
    //     marked or excluded words) follow one another; words without synonyms
    //     are skipped without counting; the synonyms are chosen by the exact
    //     lookup, or fitted to the sentence when the settings ask for it and a
    //     fit chooser is set;
    //  6. when the target word count is a number above originalWordCount, makes
    //     (target - count) attempts to insert a random head word of 4 or more
    //     characters after a random entry other than the first; a draw past the
    //     last entry appends the word as a new last entry;
    //  7. joins the entries, each after one space, removing the markers from the list;
    //  8. replaces every keyword of the change rows in the text, ignoring case,
    //     rows in order, never searching again inside a replacement just made;
    //  9. tells the observer the variation is finished.
    // With the text come its word changes: the words that stand where another
    // original word stood, those a keyword change touched, and those the
    // stretch added, in this or an earlier call since the list was filled.
    // The list is rewritten in place and not restored, so each call continues from
    // the last. After a failed query no further query is made in the call.
    Variation GenerateVariation(const RewriteSettings &settings, VariationObserver *observer = nullptr);

    // Stage 3 on its own.
    static qint64 plannedReplacements(int legibility, qint64 originalWordCount);

private:
    using ProtectedWords = std::array<QString, 2 * RewriteSettings::KeywordRows>;
    template<class Chooser>
    std::optional<StoreFailure> replaceWords(Chooser &chooser, qint64 planned,
                                             const ProtectedWords &protectedWords, VariationObserver *observer);
    std::optional<StoreFailure> stretch(std::optional<double> target, VariationObserver *observer);
    // Stage 7, giving the kind of each word of the text.
    QString assemble(std::vector<quint8> &wordKinds);
    // The kind of each character of the assembled text, into m_kinds.
    void characterKinds();
    // Stage 8 for one row found at `found`, carrying m_kinds along: a
    // replacement that reads otherwise than what it replaced is changed, and so
    // are the words around a keyword replaced by nothing.
    QString changeKeyword(const QString &text, qsizetype found, const QString &keyword, const QString &replacement);

    WordList &m_list;
    WordStore &m_store;
    DrawSource &m_draws;
    ExactLookup m_exact;
    SynonymChooser *m_fit = nullptr;
    // The text of the last variation, its storage used again for the next once
    // the caller has let go of it: a stretched run's text runs to megabytes.
    QString m_text;
    // What became of each character of the text (WordChanges::Kind), kept the
    // same way; followed only while a keyword row changes the text.
    std::vector<quint8> m_kinds, m_changedKinds;
};

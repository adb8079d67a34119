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

    // One variation under `settings`: a planned share of random words replaced
    // by random synonyms, then the stretch's random words, then the keyword
    // rows' changes to the joined text. The list is rewritten in place and not
    // restored, so each call continues from the last: a user asking for many
    // reprints gets ever further from the original. The replacing gives up
    // after a run of failed picks, so a text with few replaceable words ends
    // rather than spins; after a failed query no further query is made. The
    // word changes count against the text the list was last filled with.
    Variation GenerateVariation(const RewriteSettings &settings, VariationObserver *observer = nullptr);

    // round((100 - legibility) * words / 100), halves to even.
    static qint64 plannedReplacements(int legibility, qint64 originalWordCount);

private:
    using ProtectedWords = std::array<QString, 2 * RewriteSettings::KeywordRows>;
    template<class Chooser>
    std::optional<StoreFailure> replaceWords(Chooser &chooser, qint64 planned,
                                             const ProtectedWords &protectedWords, VariationObserver *observer);
    std::optional<StoreFailure> stretch(std::optional<double> target, VariationObserver *observer);
    // The entries joined, each after one space, their markers dropped; with the kind of each word.
    QString assemble(std::vector<quint8> &wordKinds);
    // The kind of each character of the assembled text, into m_kinds.
    void characterKinds();
    // One keyword row, found at `found`, replaced everywhere ignoring case and
    // never searched again inside a replacement, carrying m_kinds along: a
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

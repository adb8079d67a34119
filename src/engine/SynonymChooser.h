#pragma once

#include "startup/WordStore.h"

#include <QString>

#include <span>

class DrawSource;
class WordList;

// How the generator picks a synonym for a drawn entry: one seam, with the
// exact lookup (the entry as it stands) and the fit to the sentence behind it.
// A pick is asked in two steps, so that the generator can count failures and
// give up between them, before any query is made.
class SynonymChooser
{
public:
    enum class Check {
        Short,     // too short to replace: a failed pick, and the failures are judged at once
        Protected, // a keyword, or replaced already in this variation: a failed pick
        LeftAlone, // never replaced (a name, a number): skipped without counting
        Open,      // may be replaced: ask choose()
    };
    enum class Choice {
        Excluded,  // on the exclusion list: a failed pick
        NoSynonym, // nothing to put in its place: skipped without counting
        Replaced,  // the entry now holds a synonym, marked for this variation
    };

    virtual ~SynonymChooser() = default;

    // A variation begins on `list` (what a chooser learns once per variation or
    // per text is learnt afresh when the list was filled again).
    virtual void beginVariation(const WordList &list) = 0;
    // What the entry at `position` (possibly past the end) allows, against the
    // non-empty `keywords` of the change and keep rows.
    virtual Check check(const WordList &list, qsizetype position, std::span<const QString> keywords) = 0;
    // For an Open entry: replaces it with a synonym drawn from `draws` and
    // marked with the generator's marker, or says why not; the store's failure
    // ends the variation's queries.
    virtual StoreAnswer<Choice> choose(WordList &list, qsizetype position, DrawSource &draws) = 0;

protected:
    // Whether `word` is one of `keywords`, letter case ignored.
    static bool isKeyword(const QString &word, std::span<const QString> keywords)
    {
        for (const QString &keyword : keywords) {
            if (word.size() == keyword.size() && word.compare(keyword, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
};

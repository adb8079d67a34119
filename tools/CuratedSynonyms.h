#pragma once

#include "WordNetSenses.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Synonyms chosen by hand for common English words, each right in nearly every
// ordinary use of its word in one part of speech: the senses WordNet counts
// most often are mostly the word alone, so its sense groups give no synonym
// for a word's ordinary use. Compiled into the converter from
// tools/curated/<ll>.txt, lines "word|pos|synonym, synonym|form form" (base
// forms); a line with no synonyms says that none fits the word in that part of
// speech, and the forms after the last bar are inflected forms of the word the
// synonyms do not fit ("used" of "use": "used to").
class CuratedSynonyms
{
public:
    // The list of a two-letter language code; empty where there is none.
    explicit CuratedSynonyms(const QString &language);
    static CuratedSynonyms fromText(const QString &text);
    // The list for a reader that sees the sentence: the language's list, with
    // the lines of tools/curated/<ll>-fit.txt in place of its own for the same
    // word and part of speech. The word's class in its sentence and a language
    // model's check of its place make a synonym right there that would be
    // wrong somewhere else ("require" for "need": not "require to go").
    static CuratedSynonyms forSentences(const QString &language);
    // These lines in place of this list's own for the same word and part of speech.
    void replaceLines(const CuratedSynonyms &lines);

    bool isEmpty() const { return m_synonyms.isEmpty(); }
    // The synonyms of `word` (any letter case) as `pos`, best first.
    QStringList of(const QString &word, WordNetSenses::Pos pos) const;
    // True when the list has a line for `word` as `pos`, with synonyms or none.
    bool judged(const QString &word, WordNetSenses::Pos pos) const;
    // True when the synonyms of `word` as `pos` do not fit its form `form`.
    bool skips(const QString &word, WordNetSenses::Pos pos, const QString &form) const;

private:
    CuratedSynonyms() = default;
    QHash<QString, QStringList> m_synonyms; // "pos|folded word" -> synonyms
    QHash<QString, QStringList> m_skipped;  // "pos|folded word" -> folded forms
};

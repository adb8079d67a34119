#pragma once

#include <QString>

// An entry of the word list taken apart as the fit to the sentence sees it: the
// punctuation before the word, the bare word, and the punctuation after it.
struct EntryParts
{
    QString leading;  // quotes, brackets, dashes
    QString word;     // the bare word
    QString trailing; // commas, full stops, colons, semicolons, ? and !, quotes, brackets, dashes

    // Splits `entry`. Punctuation inside the word stays ("don't", "well-known").
    static EntryParts of(const QString &entry);

    // Whether the trailing punctuation ends a sentence (".", "?", "!", perhaps
    // followed by closing quotes or brackets).
    bool endsSentence() const;

    // Words the fit never touches: with a digit, "@" or "/", with a capital
    // after the first letter unless all capitals (addresses, code, product names).
    static bool isLeftAlone(const QString &word);
    // Two or more letters, all capitals.
    static bool isAllCapitals(const QString &word);
    // The first character is a capital letter.
    static bool isCapitalised(const QString &word);

    // `synonym` given the capitals of `original`: all capitals stay all
    // capitals, a capital first letter stays one, otherwise as it is.
    static QString withCapitalsOf(const QString &synonym, const QString &original);
};

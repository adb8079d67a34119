#pragma once

#include "ClassSynonyms.h"
#include "PhrasalVerbs.h"
#include "SynonymFilter.h"

#include <QString>
#include <QVector>

#include <optional>

struct WordsDbCounts
{
    qint64 headWords = 0;
    qint64 headWordsWithSynonyms = 0;
    qint64 synonymRows = 0;
    qint64 classForms = 0; // words with synonyms in a word class, counted once per class
    qint64 classRows = 0;
    qint64 offeredRows = 0;
};

// The version of the word data this converter writes, kept in the file's
// user_version; a file with another is rebuilt by --if-outdated.
constexpr int WordDataVersion = 10;

// The word data version of the database at `path`: 0 for a file written before
// versions were kept, nullopt when it cannot be read as a database.
std::optional<int> wordDataVersion(const QString &path);

// Writes the head words and their synonyms into the words database at `path`,
// and the synonyms by word class into FitSynonyms(word, class, synonym, rank):
// the word in lower case, the class by its code (wordClassCode), rank 1 for the
// best synonym; and what the Choose synonyms window offers into
// OfferSynonyms(word, class, synonym, rank, likely) alike, likely 1 for the
// synonyms offered first; and the verbs of two words (phrasalVerbs) into
// PhrasalVerbs(word, particle).
//
// A new file is built beside the target and moved into place only when complete,
// so an interrupted build never leaves a half-filled words.mdb. An existing file
// has its Words, Synonyms, FitSynonyms, OfferSynonyms and PhrasalVerbs replaced in one
// transaction while the user's tables, the exclusion list Tbl_Exclude and the
// chosen synonyms Tbl_Choices, stay exactly as they were (each is created if
// missing). A file that is not a database is never touched. Returns the
// failure, if any.
std::optional<QString> writeWordsDb(const QString &path, const QVector<HeadWord> &heads,
                                    const QVector<ClassSynonyms> &byClass, WordsDbCounts *counts = nullptr,
                                    const QVector<ClassSynonyms> &offered = {},
                                    const QVector<PhrasalVerb> &phrasal = {});
// The same with no synonyms by word class (languages without sense counts).
inline std::optional<QString> writeWordsDb(const QString &path, const QVector<HeadWord> &heads,
                                           WordsDbCounts *counts = nullptr)
{
    return writeWordsDb(path, heads, {}, counts);
}

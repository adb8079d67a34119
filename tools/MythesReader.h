#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One term of a meaning; `tag` holds a trailing "(generic term)" and the like,
// empty for a plain synonym.
struct ThesaurusTerm
{
    QString text;
    QString tag;
};

struct ThesaurusMeaning
{
    QString partOfSpeech; // as written, without parentheses: "noun", "adj", ...
    QVector<ThesaurusTerm> terms;
};

struct ThesaurusEntry
{
    QString head;
    QVector<ThesaurusMeaning> meanings;
};

struct Thesaurus
{
    QString encoding;
    QVector<ThesaurusEntry> entries;
    QString error; // empty when the file was read
};

// Reads a MyThes data file: the encoding on the first line, then per head word
// a line "word|count" followed by count lines "(pos)|term|term (tag)|...".
Thesaurus readMythes(const QString &path);
Thesaurus parseMythes(const QByteArray &bytes);

#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One term of a meaning; `tag` holds its trailing parenthesised labels, such as
// "generic term" or "ugs., Oberbegriff", empty for a plain synonym.
struct ThesaurusTerm
{
    QString text;
    QString tag;
};

struct ThesaurusMeaning
{
    // The first field, without parentheses: a part of speech ("noun", "Nom", "s.m."),
    // "-", or in some thesauri the relation of the whole line ("синоним").
    QString partOfSpeech;
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

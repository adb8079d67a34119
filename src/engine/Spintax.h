#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

class DrawSource;
struct SpintaxReading;

// What is wrong with a text that holds spintax: where (from 1, a column
// counting the characters of its line) and what, as a clause.
struct SpintaxFault
{
    qsizetype line = 0, column = 0;
    QString what;
};

// A text of spintax: groups of options in braces, "{big|large|huge}", nested
// where an option has variants of its own, "\" before a literal brace, bar or
// backslash. Each variation takes one option of every group it meets.
class Spintax
{
public:
    // Counts of variations are exact up to this and stand for "more" above it.
    static constexpr quint64 Cap = 1000000000000000000ull;
    static constexpr int MaxDepth = 64;

    using Fault = SpintaxFault;
    using Reading = SpintaxReading;
    // Reads `text`, in time and memory in proportion to its length. A text
    // holds spintax once one pair of braces holds a bar; then a stray or
    // unclosed brace, an empty pair or nesting deeper than MaxDepth breaks it.
    static Reading read(QStringView text);

    // Every group, nested ones too.
    qsizetype groups() const { return qsizetype(m_groups.size()); }
    // The distinct variations, Cap + 1 for more than Cap; options of a group
    // that read the same count once.
    quint64 variations() const { return m_variations; }
    // "1,024", or "more than a billion billion" past Cap.
    static QString inWords(quint64 variations);

    // One variation: every group's option drawn with equal chances, a nested
    // group drawn only inside the option that holds it.
    QString pick(DrawSource &draws) const;

    // `text` with a backslash before every brace, bar and backslash.
    static QString escaped(QStringView text);
    // A group of `options`, each escaped.
    static QString group(const QStringList &options);

private:
    // A run of literal characters of m_characters, or a group.
    struct Piece
    {
        qsizetype from = 0, length = 0;
        int group = -1; // by index; -1 for literal characters
    };
    using Sequence = std::vector<Piece>;
    struct Group
    {
        std::vector<Sequence> options;
        quint64 variations = 0;
    };
    void pickInto(const Sequence &sequence, DrawSource &draws, QString &out) const;

    QString m_characters; // every literal character, escapes resolved, one after another
    Sequence m_text;
    std::vector<Group> m_groups;
    quint64 m_variations = 1;
};

// What a text is: plain (no group with a bar in it), spintax, or spintax that
// is broken.
struct SpintaxReading
{
    std::optional<Spintax> spintax; // when it is whole
    std::optional<SpintaxFault> fault; // when it is broken
    bool isPlain() const { return !spintax && !fault; }
};

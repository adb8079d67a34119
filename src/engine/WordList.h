#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The working copy of the user's text that the generator rewrites: its words in
// order, with a line-break entry (CR LF) after every line. Positions start at 0;
// reading the position just past the last entry gives the empty text.
class WordList
{
public:
    static inline const QString LineBreak = QStringLiteral("\r\n");
    // What the generator puts after an entry it has rewritten in this variation.
    static inline const QString Marker = QStringLiteral("###");

    // Replaces the whole list with the entries of `text` and returns its word count,
    // which is kept as originalWordCount().
    //  - Lines are cut at every CR LF pair; the empty text has no lines, and a text
    //    ending in CR LF has an empty last line.
    //  - Each line is cut at every single space; empty pieces are dropped and not
    //    counted. Tabs, lone CRs and lone LFs stay inside words.
    //  - A line-break entry follows every line, the last one too.
    // Example: "The  cat,\r\n\r\nsat" gives The, cat,, CR LF, CR LF, sat, CR LF and 3.
    qsizetype FillWordList(const QString &text);

    // Cuts `text` as FillWordList does: onPiece(start, length) for each entry
    // that is not a line break, in order, and onLineEnd() where each line ends
    // (the last one too).
    template<class OnPiece, class OnLineEnd>
    static void cut(QStringView text, OnPiece &&onPiece, OnLineEnd &&onLineEnd)
    {
        if (text.isEmpty())
            return;
        for (qsizetype lineStart = 0;;) {
            const qsizetype found = text.indexOf(LineBreak, lineStart);
            const qsizetype lineEnd = found < 0 ? text.size() : found;
            for (qsizetype pieceStart = lineStart; pieceStart <= lineEnd;) {
                qsizetype pieceEnd = text.mid(0, lineEnd).indexOf(QLatin1Char(' '), pieceStart);
                if (pieceEnd < 0)
                    pieceEnd = lineEnd;
                if (pieceEnd > pieceStart)
                    onPiece(pieceStart, pieceEnd - pieceStart);
                pieceStart = pieceEnd + 1;
            }
            onLineEnd();
            if (found < 0)
                return;
            lineStart = found + LineBreak.size();
        }
    }

    qsizetype originalWordCount() const { return m_originalWordCount; }
    // Counts the fillings: what is learnt of a text holds until it changes.
    quint64 generation() const { return m_generation; }
    qsizetype count() const { return m_entries.size(); }

    // The entry at `position`; the empty text at or past the end.
    QString entry(qsizetype position) const
    {
        return position >= 0 && position < m_entries.size() ? m_entries.at(position) : QString();
    }
    const QString &at(qsizetype position) const { return m_entries.at(position); }

    // Replaces the entry at `position`, which then holds no inserted words. At or
    // past the end the text becomes a new last entry, inserted whole.
    void setEntry(qsizetype position, const QString &text);
    // Adds " word" to the entry at `position` (0 <= position < count()), its
    // marker dropped first. The entry grows in place, so an entry that
    // takes many words is not copied again for each.
    void appendWord(qsizetype position, const QString &word);

    // Drops the marker from the end of the entry at `position`, if it has one.
    void unmark(qsizetype position);

    const QStringList &entries() const { return m_entries; }

    // The entries as the last filling left them, before any rewriting.
    const QStringList &originalEntries() const { return m_original; }
    // Inserted are the words added by appendWord, and an entry set past the end.
    // What an entry is made of: its head, which stands where an original entry
    // stood, and the characters inserted after it. The words of each are
    // counted as they come, so that a long-grown entry need not be read again.
    struct Parts
    {
        qsizetype headWords;
        qsizetype inserted; // characters, joining spaces included
        qsizetype insertedWords;
        // The head is Same while it reads as the original entry, Changed
        // otherwise, and Inserted in an entry beyond the original ones.
        quint8 headKind;
    };
    const Parts &parts(qsizetype position) const { return m_parts[size_t(position)]; }

    // What the generator asks of an entry on every draw, kept beside it so that a
    // draw need not read the entry's text, which may be long and far away in memory.
    enum Trait : quint8 {
        Short = 1,  // fewer than 4 characters (code points)
        Marked = 2, // ends with the marker
        Spaced = 4, // holds a space
    };
    // The traits of the entry at `position`; those of the empty text at or past the end.
    quint8 traits(qsizetype position) const
    {
        return position >= 0 && position < qsizetype(m_traits.size()) ? m_traits[size_t(position)] : Short;
    }
    static quint8 traitsOf(const QString &entry);
    // Fewer than 4 characters (code points): too short to be replaced or inserted.
    static bool isShort(const QString &word);

private:
    quint8 headKindOf(qsizetype position, QStringView head) const;

    QStringList m_entries;
    std::vector<quint8> m_traits; // one per entry
    QStringList m_original;          // shares its strings with the entries left as they were
    std::vector<Parts> m_parts;        // one per entry
    qsizetype m_originalWordCount = 0;
    quint64 m_generation = 0;
};

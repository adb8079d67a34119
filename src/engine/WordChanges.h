#pragma once

#include <QStringView>

#include <span>
#include <vector>

// Which words of a reprint differ from the text it was made from: one kind per
// word, in the order the words stand. A word is a run of characters between
// spaces and line breaks.
class WordChanges
{
public:
    enum Kind : quint8 {
        Same = 0,
        Changed = 1,  // stands where another word stood, or was touched by a keyword change
        Inserted = 2, // added by the stretch
    };

    WordChanges() = default;
    explicit WordChanges(std::vector<quint8> kinds);

    // Whether `c` ends a word: a space or a line break of any kind.
    static bool separates(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator
               || c == QChar::ParagraphSeparator;
    }

    // Cuts a text, given whole or in pieces, into its words: a word runs on from
    // one piece into the next until a separator or a hard break ends it.
    class Cutter
    {
    public:
        // Calls onWord(start, end) for every word the piece ends, positions
        // counted from `at`, the position of the piece's first character.
        template<class OnWord>
        void feed(QStringView piece, qsizetype at, OnWord &&onWord)
        {
            for (qsizetype i = 0; i < piece.size(); ++i) {
                if (separates(piece[i]))
                    end(at + i, onWord);
                else if (m_start < 0)
                    m_start = at + i;
            }
        }
        // Ends the word that runs at `at`, if any.
        template<class OnWord>
        void end(qsizetype at, OnWord &&onWord)
        {
            if (m_start >= 0)
                onWord(m_start, at);
            m_start = -1;
        }

    private:
        qsizetype m_start = -1;
    };

    // The number of words of `text`.
    static qsizetype countWords(QStringView text);

    // The words of `text` from the kinds of its characters (one per UTF-16 unit,
    // `kinds.size() == text.size()`): a word is Changed when any of its
    // characters is, else Inserted when any of them is, else Same.
    static WordChanges ofCharacters(QStringView text, std::span<const quint8> kinds);

    const std::vector<quint8> &kinds() const { return m_kinds; }
    qsizetype words() const { return qsizetype(m_kinds.size()); }
    qsizetype changed() const { return m_changed; }
    qsizetype inserted() const { return m_inserted; }

private:
    std::vector<quint8> m_kinds;
    qsizetype m_changed = 0;
    qsizetype m_inserted = 0;
};

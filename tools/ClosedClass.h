#pragma once

#include <QSet>
#include <QString>

// The words of a language that never get synonyms (articles, pronouns,
// auxiliaries, modals, prepositions, conjunctions, the commonest adverbs), from
// the lists compiled into the converter (tools/closed-class/<ll>.txt).
class ClosedClass
{
public:
    // The list of a two-letter language code; empty where there is none.
    explicit ClosedClass(const QString &language);
    // The list in `text`: one or more words a line, '#' starting a comment.
    static ClosedClass fromText(const QString &text);

    bool isEmpty() const { return m_words.isEmpty(); }
    // True when `word`, in any letter case, is on the list.
    bool contains(const QString &word) const { return m_words.contains(word.toCaseFolded()); }

private:
    ClosedClass() = default;
    QSet<QString> m_words;
};

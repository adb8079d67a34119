#pragma once

#include "engine/WordChanges.h"

#include <QColor>
#include <QObject>

#include <vector>

class QPaintEvent;
class TextBox;

// Marks the changed and inserted words of a reprint in a text box with a soft
// background, drawn beneath the text as the box paints and never put into its
// document: the text, the selection and the clipboard know nothing of them.
// An edit moves the marks after it and drops those of the words it touches;
// a new text drops them all.
class ChangeMarks : public QObject
{
    Q_OBJECT
public:
    explicit ChangeMarks(TextBox *box);

    // Marks the words of the box's text as `changes` says, word for word. When
    // the text has another number of words than `changes`, marks nothing and
    // returns false.
    bool mark(const WordChanges &changes);
    void clear() { m_marks.clear(); }

    // One marked word, by document positions.
    struct Mark
    {
        int start;
        int end;
        WordChanges::Kind kind;
    };
    const std::vector<Mark> &marks() const { return m_marks; }

    // Translucent, so the text stays as readable as on the box's own colour,
    // light or dark.
    static QColor colourOf(WordChanges::Kind kind);
    // Marks of other meanings get colours of their own.
    void setColours(const QColor &changed, const QColor &inserted);

    // Every word of the box's text by document positions, as mark() counts
    // them: a word runs on across the soft breaks of a long line.
    struct Span
    {
        int start;
        int end;
    };
    static std::vector<Span> wordsOf(const TextBox *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    // Draws the marks of the blocks that `event` repaints, before the text.
    void paint(QPaintEvent *event);

    TextBox *m_box;
    std::vector<Mark> m_marks; // in order, never overlapping
    QColor m_changed = colourOf(WordChanges::Changed);
    QColor m_inserted = colourOf(WordChanges::Inserted);
};

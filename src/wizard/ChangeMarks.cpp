#include "wizard/ChangeMarks.h"

#include "platform/TextBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

ChangeMarks::ChangeMarks(TextBox *box) : QObject(box), m_box(box)
{
    box->viewport()->installEventFilter(this);
    connect(box->document(), &QTextDocument::contentsChange, this, &ChangeMarks::contentsChanged);
}

QColor ChangeMarks::colourOf(WordChanges::Kind kind)
{
    return kind == WordChanges::Inserted ? QColor(0, 150, 255, 70) : QColor(255, 185, 0, 95);
}

void ChangeMarks::setColours(const QColor &changed, const QColor &inserted)
{
    m_changed = changed;
    m_inserted = inserted;
    m_box->viewport()->update();
}

std::vector<ChangeMarks::Span> ChangeMarks::wordsOf(const TextBox *box)
{
    std::vector<Span> words;
    const auto onWord = [&](qsizetype start, qsizetype end) { words.push_back({int(start), int(end)}); };
    // A word runs on across the soft breaks of a long line, not across a hard one.
    WordChanges::Cutter cutter;
    int end = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        if (!TextBox::continuesParagraph(block))
            cutter.end(end, onWord);
        const QString text = block.text();
        cutter.feed(text, block.position(), onWord);
        end = block.position() + int(text.size());
    }
    cutter.end(end, onWord);
    return words;
}

bool ChangeMarks::mark(const WordChanges &changes)
{
    m_marks.clear();
    const std::vector<quint8> &kinds = changes.kinds();
    const std::vector<Span> words = wordsOf(m_box);
    if (words.size() == kinds.size()) {
        for (size_t word = 0; word < kinds.size(); ++word) {
            if (kinds[word] != WordChanges::Same)
                m_marks.push_back({words[word].start, words[word].end, WordChanges::Kind(kinds[word])});
        }
    }
    m_box->viewport()->update();
    return words.size() == kinds.size();
}

void ChangeMarks::contentsChanged(int position, int removed, int added)
{
    if (m_marks.empty())
        return;
    // The marks of the words the edit touches go; those after it move.
    auto first = std::lower_bound(m_marks.begin(), m_marks.end(), position,
                                  [](const Mark &mark, int at) { return mark.end < at; });
    auto last = first;
    while (last != m_marks.end() && last->start <= position + removed)
        ++last;
    first = m_marks.erase(first, last);
    const int shift = added - removed;
    for (auto it = first; it != m_marks.end(); ++it) {
        it->start += shift;
        it->end += shift;
    }
}

bool ChangeMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_marks.empty())
        paint(static_cast<QPaintEvent *>(event));
    return QObject::eventFilter(watched, event);
}

void ChangeMarks::paint(QPaintEvent *event)
{
    QPainter painter(m_box->viewport());
    const QRectF area = event->rect();
    for (QTextBlock block = m_box->firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (!block.isVisible())
            continue;
        const QRectF rect = m_box->blockRect(block);
        if (rect.top() > area.bottom())
            break;
        if (rect.bottom() < area.top())
            continue;
        // Only the lines in the area are looked at: a block may be long.
        const QTextLayout *layout = block.layout();
        int from = -1, to = -1;
        for (int n = 0; n < layout->lineCount(); ++n) {
            const QTextLine line = layout->lineAt(n);
            const qreal top = rect.top() + line.y();
            if (top > area.bottom())
                break;
            if (top + line.height() < area.top())
                continue;
            if (from < 0)
                from = line.textStart();
            to = line.textStart() + line.textLength();
        }
        if (from < 0)
            continue;
        const int begin = block.position();
        auto mark = std::lower_bound(m_marks.begin(), m_marks.end(), begin + from,
                                     [](const Mark &m, int at) { return m.end <= at; });
        for (; mark != m_marks.end() && mark->start < begin + to; ++mark) {
            const int start = std::max(mark->start - begin, from);
            const int end = std::min(mark->end - begin, to);
            const QColor &colour = mark->kind == WordChanges::Inserted ? m_inserted : m_changed;
            for (int n = layout->lineForTextPosition(start).lineNumber(); n >= 0 && n < layout->lineCount(); ++n) {
                const QTextLine line = layout->lineAt(n);
                if (line.textStart() >= end)
                    break;
                const int lineStart = std::max(start, line.textStart());
                const int lineEnd = std::min(end, line.textStart() + line.textLength());
                if (lineEnd <= lineStart)
                    continue;
                const qreal x1 = line.cursorToX(lineStart), x2 = line.cursorToX(lineEnd);
                painter.fillRect(QRectF(rect.left() + std::min(x1, x2), rect.top() + line.y(), std::abs(x2 - x1),
                                        line.height()),
                                 colour);
            }
        }
    }
}

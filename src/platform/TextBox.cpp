#include "platform/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Paragraphs longer than this are held in pieces of about PieceLength.
constexpr qsizetype LongParagraph = 16384;
constexpr qsizetype PieceLength = 8192;

// Set on a block that continues the paragraph of the block before it.
constexpr int ContinuesParagraph = QTextFormat::UserProperty + 1;

QTextBlockFormat breakFormat(QTextBlockFormat format, bool soft)
{
    if (soft)
        format.setProperty(ContinuesParagraph, true);
    else
        format.clearProperty(ContinuesParagraph);
    return format;
}

// Hard breaks come out of plainText as '\n'; a line break typed with Shift+Enter
// stays inside its block as a line separator.
QString separatorsToCrLf(QString text)
{
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return TextBox::toCrLf(text);
}

// Where the piece of a long line that starts at `from` ends: after the last
// space in its second half, else at the length, never inside a surrogate pair.
qsizetype pieceEnd(QStringView line, qsizetype from)
{
    qsizetype end = from + PieceLength;
    if (end >= line.size())
        return line.size();
    for (qsizetype i = end - 1; i > from + PieceLength / 2; --i) {
        if (line.at(i) == QLatin1Char(' '))
            return i + 1;
    }
    if (line.at(end - 1).isHighSurrogate())
        --end;
    return end;
}

bool hasLongLine(QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text.at(i) == QLatin1Char('\n') || text.at(i) == QLatin1Char('\r')) {
            if (i - start > LongParagraph)
                return true;
            start = i + 1;
        }
    }
    return false;
}

} // namespace

bool TextBox::continuesParagraph(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(ContinuesParagraph);
}

QRectF TextBox::blockRect(const QTextBlock &block) const
{
    return blockBoundingGeometry(block).translated(contentOffset());
}

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, so the keyboard never stays caught here;
    // Enter still starts a new line.
    setTabChangesFocus(true);
}

QString TextBox::toCrLf(const QString &text)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (out.isNull())
            out.reserve(text.size() + text.size() / 16);
        out += QStringView(text).mid(from, i - from);
        out += QStringLiteral("\r\n");
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        from = i + 1;
    }
    if (from == 0)
        return text;
    out += QStringView(text).mid(from);
    return out;
}

QString TextBox::plainText(int from, int to) const
{
    // Block text keeps non-breaking spaces, which toPlainText turns into spaces.
    QString out;
    const QTextBlock last = document()->findBlock(to);
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        const int start = block.position();
        if (start > from && !continuesParagraph(block))
            out += QLatin1Char('\n');
        const QString text = block.text();
        const int begin = std::max(from - start, 0);
        const int end = std::min<int>(to - start, text.size());
        if (end > begin)
            out += QStringView(text).mid(begin, end - begin);
        if (block == last)
            break;
    }
    return out;
}

QString TextBox::text() const
{
    return separatorsToCrLf(plainText(0, document()->characterCount()));
}

void TextBox::insertLines(QTextCursor &cursor, const QString &lines)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QTextBlockFormat format = cursor.blockFormat();
    qsizetype lineStart = 0;
    while (lineStart <= lines.size()) {
        qsizetype lineEnd = lines.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = lines.size();
        const QStringView line = QStringView(lines).mid(lineStart, lineEnd - lineStart);
        if (lineStart > 0)
            cursor.insertBlock(breakFormat(format, false));
        if (line.size() <= LongParagraph) {
            cursor.insertText(line.toString());
        } else {
            for (qsizetype from = 0; from < line.size();) {
                const qsizetype end = pieceEnd(line, from);
                if (from > 0)
                    cursor.insertBlock(breakFormat(format, true));
                cursor.insertText(line.mid(from, end - from).toString());
                from = end;
            }
        }
        lineStart = lineEnd + 1;
    }
    cursor.endEditBlock();
}

QString TextBox::toLf(const QString &text)
{
    // The editor would make a paragraph separator a break of the block it is in,
    // a soft one inside a piece: it is taken for the line break it stands for.
    QString lines = toCrLf(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return lines;
}

void TextBox::setText(const QString &text)
{
    const QString plain = toLf(text);
    if (!hasLongLine(plain)) {
        setPlainText(plain);
        return;
    }
    // Put in like setPlainText: no undo step, cursor at the start, unmodified.
    setPlainText(QString());
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    insertLines(cursor, plain);
    document()->setUndoRedoEnabled(undo);
    moveCursor(QTextCursor::Start);
    document()->setModified(false);
}

void TextBox::insertPlainText(const QString &text)
{
    QTextCursor cursor = textCursor();
    insertLines(cursor, toLf(text));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString TextBox::selectedText() const
{
    const QTextCursor cursor = textCursor();
    return separatorsToCrLf(plainText(cursor.selectionStart(), cursor.selectionEnd()));
}

void TextBox::selectAll()
{
    QPlainTextEdit::selectAll();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    emit focusReceived();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    // Enter makes a hard break even inside a piece of a long paragraph.
    const bool enter = event->matches(QKeySequence::InsertParagraphSeparator);
    // Backspace and Delete at a soft break delete the character beyond it too,
    // as a key press that changed nothing on screen would look lost.
    const bool back = event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)
                      && !cursor.hasSelection() && cursor.atBlockStart() && continuesParagraph(cursor.block());
    const bool forward = event->matches(QKeySequence::Delete) && !cursor.hasSelection() && cursor.atBlockEnd()
                         && continuesParagraph(cursor.block().next());
    if (!enter && !back && !forward) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    cursor.beginEditBlock();
    if (enter) {
        cursor.insertBlock(breakFormat(cursor.blockFormat(), false));
    } else if (back) {
        cursor.deletePreviousChar(); // the soft break; the joined block keeps the earlier one's format
        if (!cursor.atBlockStart())
            cursor.deletePreviousChar();
    } else {
        cursor.deleteChar();
        if (!cursor.atBlockEnd())
            cursor.deleteChar();
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
}

void TextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    insertPlainText(source->text());
}

QMimeData *TextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    QString text = plainText(cursor.selectionStart(), cursor.selectionEnd());
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

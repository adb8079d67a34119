#pragma once

#include <QPlainTextEdit>

class QTextBlock;
class QTextCursor;

// A multi-line text box whose text is read and written with CR LF between
// lines, as the rewriting works with it. Text put in with bare LF (or bare CR)
// line breaks comes out with CR LF; every other character, non-breaking spaces
// and tabs included, comes out as it went in.
//
// The editor lays out a paragraph whole, so one paragraph of megabytes (a text
// stretched to millions of words) would freeze the window for seconds. A long
// paragraph is therefore held as several blocks, each marked as continuing the
// one before it; the marks are soft breaks that text(), the selection and the
// clipboard never show, while Enter and pasted line breaks stay hard ones.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    // The selection, with CR LF line breaks.
    QString selectedText() const;
    void selectAll();

    // Inserts at the cursor as typing would, each line break a hard one.
    void insertPlainText(const QString &text);

    static QString toCrLf(const QString &text);

    // Whether `block` continues the paragraph of the block before it (a soft break).
    static bool continuesParagraph(const QTextBlock &block);
    // Where a block lies in the viewport, and the first one that shows: for
    // drawing beside the text.
    QRectF blockRect(const QTextBlock &block) const;
    using QPlainTextEdit::firstVisibleBlock;

signals:
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The text from one document position to another, '\n' at hard breaks only.
    QString plainText(int from, int to) const;
    // Inserts text whose lines end in bare LF.
    static void insertLines(QTextCursor &cursor, const QString &lines);
    static QString toLf(const QString &text);
};

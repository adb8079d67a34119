#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text is read and written with CR LF between
// lines, as the rewriting works with it. Text put in with bare LF (or bare CR)
// line breaks comes out with CR LF; every other character, non-breaking spaces
// and tabs included, comes out as it went in.
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
    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    static QString toCrLf(const QString &text);

signals:
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    // text() of a long document costs a copy and a conversion; a reprint run asks
    // for it once per variation, so it is kept until the document changes.
    mutable QString m_text;
    mutable bool m_textKept = false;
};

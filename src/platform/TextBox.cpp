#include "platform/TextBox.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// The editor keeps line ends as paragraph or line separators.
QString separatorsToCrLf(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return TextBox::toCrLf(text);
}

} // namespace

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        m_textKept = false;
        m_text.clear();
    });
}

QString TextBox::toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\r\n");
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString TextBox::text() const
{
    // toRawText keeps non-breaking spaces, which toPlainText turns into spaces.
    if (!m_textKept) {
        m_text = separatorsToCrLf(document()->toRawText());
        m_textKept = true;
    }
    return m_text;
}

void TextBox::setText(const QString &text)
{
    QString plain = toCrLf(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(plain);
}

QString TextBox::selectedText() const
{
    return separatorsToCrLf(textCursor().selectedText());
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

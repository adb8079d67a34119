#include "platform/TextBox.h"

#include <QClipboard>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

namespace {

QString longParagraph()
{
    QString text;
    for (int i = 0; text.size() < 40000; ++i)
        text += QStringLiteral("word%1\u00A0and\U0001F600 ").arg(i);
    return text;
}

} // namespace

class TestTextBox : public QObject
{
    Q_OBJECT

private slots:
    void textComesOutWithCrLf_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("CR LF kept") << "a b\r\nc\r\n" << "a b\r\nc\r\n";
        QTest::newRow("bare LF") << "a\nb\n\nc" << "a\r\nb\r\n\r\nc";
        QTest::newRow("bare CR") << "a\rb" << "a\r\nb";
        QTest::newRow("mixed") << "a\r\nb\nc\rd" << "a\r\nb\r\nc\r\nd";
        QTest::newRow("tabs and non-breaking spaces") << "a\tb\u00A0c  d " << "a\tb\u00A0c  d ";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only a break") << "\n" << "\r\n";
        QTest::newRow("paragraph separator") << "a\u2029b" << "a\r\nb";
        QTest::newRow("one in a long paragraph") << longParagraph() + "\u2029b" << longParagraph() + "\r\nb";
    }
    void textComesOutWithCrLf()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        TextBox box;
        box.setText(in);
        QCOMPARE(box.text(), out);
    }

    void typedAndPastedLinesBecomeCrLf()
    {
        TextBox box;
        box.show();
        QTest::keyClicks(&box, QStringLiteral("one"));
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("two"));
        box.insertPlainText(QStringLiteral("\nthree\n"));
        QCOMPARE(box.text(), QStringLiteral("one\r\ntwo\r\nthree\r\n"));
    }

    void textFollowsEditsAfterBeingRead()
    {
        TextBox box;
        box.setText(QStringLiteral("one"));
        QCOMPARE(box.text(), QStringLiteral("one"));
        box.moveCursor(QTextCursor::End);
        box.insertPlainText(QStringLiteral(" two"));
        QCOMPARE(box.text(), QStringLiteral("one two"));
        box.setText(QStringLiteral("three"));
        QCOMPARE(box.text(), QStringLiteral("three"));
    }

    void selectionComesOutWithCrLf()
    {
        TextBox box;
        box.setText(QStringLiteral("ab\r\ncd"));
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(1);
        cursor.setPosition(4, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        QCOMPARE(box.selectedText(), QStringLiteral("b\r\nc"));
        box.selectAll();
        QCOMPARE(box.selectedText(), QStringLiteral("ab\r\ncd"));
    }

    // A paragraph too long to lay out at once is held in pieces, which never
    // show as line breaks and never split a character.
    void longParagraphsKeepTheirText()
    {
        QString spaceless;
        while (spaceless.size() < 40000)
            spaceless += QStringLiteral("ab\U0001F600");
        const QString in = QStringLiteral("head\r\n") + longParagraph() + QStringLiteral("\r\n") + spaceless
                           + QStringLiteral("\r\ntail");
        TextBox box;
        box.setText(in);
        QVERIFY(box.document()->blockCount() > 8);
        QCOMPARE(box.text(), in);
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
            QVERIFY(block.text().isEmpty() || !block.text().front().isLowSurrogate());
        box.selectAll();
        QCOMPARE(box.selectedText(), in);
    }

    void editsAtAPieceBoundary()
    {
        TextBox box;
        box.show();
        box.setText(longParagraph());
        const QString text = box.text();
        // A document position in the second piece is one more than its offset in text().
        const int boundary = box.document()->findBlockByNumber(1).position();
        QTextCursor cursor = box.textCursor();

        cursor.setPosition(boundary - 4);
        cursor.setPosition(boundary + 4, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        QCOMPARE(box.selectedText(), text.mid(boundary - 4, 7));
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), text.mid(boundary - 4, 7));

        cursor.setPosition(boundary);
        box.setTextCursor(cursor);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QString(text).remove(boundary - 2, 1));
        box.undo();
        QCOMPARE(box.text(), text);

        cursor.setPosition(boundary + 2);
        box.setTextCursor(cursor);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.text(), QString(text).insert(boundary + 1, QStringLiteral("\r\n")));
        box.undo();

        cursor.setPosition(boundary + 2);
        box.setTextCursor(cursor);
        box.insertPlainText(QStringLiteral("x\ny"));
        QCOMPARE(box.text(), QString(text).insert(boundary + 1, QStringLiteral("x\r\ny")));
    }
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"

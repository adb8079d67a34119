#include "platform/TextBox.h"

#include <QTextCursor>
#include <QtTest>

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
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"

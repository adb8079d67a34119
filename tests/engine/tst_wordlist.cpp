#include "engine/WordList.h"

#include <QtTest>

class TestWordList : public QObject
{
    Q_OBJECT

private slots:
    void fill_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("count");
        const QString br = QStringLiteral("\r\n");
        QTest::newRow("example") << "The  cat,\r\n\r\nsat" << QStringList{"The", "cat,", br, br, "sat", br} << 3;
        QTest::newRow("empty text") << "" << QStringList{} << 0;
        QTest::newRow("spaces only") << "   " << QStringList{br} << 0;
        QTest::newRow("two words") << "a b" << QStringList{"a", "b", br} << 2;
        QTest::newRow("ending in a break") << "a b\r\n" << QStringList{"a", "b", br, br} << 2;
        QTest::newRow("tab and lone LF stay inside") << "a\tb c\nd e\rf" << QStringList{"a\tb", "c\nd", "e\rf", br} << 3;
        QTest::newRow("leading and trailing spaces") << " x  y " << QStringList{"x", "y", br} << 2;
        QTest::newRow("only a break") << "\r\n" << QStringList{br, br} << 0;
        QTest::newRow("punctuation and case kept") << "Hello, World!" << QStringList{"Hello,", "World!", br} << 2;
    }
    void fill()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QFETCH(int, count);
        WordList list;
        QCOMPARE(list.FillWordList(text), count);
        QCOMPARE(list.entries(), entries);
        QCOMPARE(list.originalWordCount(), count);
        // A second fill gives the same.
        QCOMPARE(list.FillWordList(text), count);
        QCOMPARE(list.entries(), entries);
    }

    void entryPastTheEndIsEmptyAndWritingThereAppends()
    {
        WordList list;
        QCOMPARE(list.originalWordCount(), 0);
        list.FillWordList(QStringLiteral("one two"));
        QCOMPARE(list.entry(3), QString());
        QCOMPARE(list.entry(99), QString());
        list.setEntry(1, QStringLiteral("2"));
        list.setEntry(3, QStringLiteral("three"));
        QCOMPARE(list.entries(), (QStringList{"one", "2", "\r\n", "three"}));
        QCOMPARE(list.originalWordCount(), 2); // only a fill changes it
    }

    void traitsFollowEveryWrite()
    {
        WordList list;
        list.FillWordList(QStringLiteral("cat \U0001F600\U0001F600\U0001F600x word###\r\nwords"));
        QCOMPARE(list.traits(0), quint8(WordList::Short));
        QCOMPARE(list.traits(1), quint8(0)); // four characters in seven UTF-16 units
        QCOMPARE(list.traits(2), quint8(WordList::Marked));
        QCOMPARE(list.traits(3), quint8(WordList::Short)); // the line break
        QCOMPARE(list.traits(list.count()), quint8(WordList::Short)); // past the end
        list.setEntry(2, QStringLiteral("word more"));
        QCOMPARE(list.traits(2), quint8(WordList::Spaced));
        list.setEntry(3, QStringLiteral("\r\n word"));
        QCOMPARE(list.traits(3), quint8(WordList::Spaced)); // a line break that took a word
        list.setEntry(list.count(), QStringLiteral("new###"));
        QCOMPARE(list.traits(list.count() - 1), quint8(WordList::Marked));
    }

    void largeTextIsKeptWhole()
    {
        QString text;
        for (int i = 0; i < 50000; ++i)
            text += QStringLiteral("word%1 ").arg(i) + (i % 10 == 9 ? QStringLiteral("\r\n") : QString());
        WordList list;
        QCOMPARE(list.FillWordList(text), 50000);
        QCOMPARE(list.count(), 50000 + 5001);
        QCOMPARE(list.entry(list.count() - 2), QStringLiteral("\r\n"));
        QCOMPARE(list.entry(40000 + 4000), QStringLiteral("word40000"));
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"

#include "engine/FitData.h"
#include "engine/PosTagger.h"

#include <QtTest>

#include <thread>

#include <sys/stat.h>

namespace {

const QString Lexicon = FitData().lexicon;
const QString Trigrams = FitData().tagTrigrams;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPosTagger : public QObject
{
    Q_OBJECT

    std::optional<PosTagger> m_tagger;

private slots:
    void initTestCase()
    {
        for (const QString &path : {Lexicon, Trigrams}) {
            if (!QFileInfo(path).isFile())
                QSKIP(qPrintable(path + QStringLiteral(" is not installed (festival-dicts)")));
        }
        QString error;
        m_tagger = PosTagger::load(Lexicon, Trigrams, &error);
        QVERIFY2(m_tagger, qPrintable(error));
    }

    // The class of each word of a sentence, as codes; "-" for None.
    void classes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("classes");
        QTest::newRow("needs as a verb") << "The project needs money." << "- n vz n";
        QTest::newRow("needs as a noun") << "Our needs are simple." << "- ns v a";
        QTest::newRow("works as a verb") << "The plan works well." << "- n vz r";
        QTest::newRow("works as a noun") << "Her works hang in the museum." << "- ns v - - n";
        QTest::newRow("punctuation attached") << "\"Quickly,\" she said, \"the train leaves.\""
                                              << "r - vd - n vz";
        QTest::newRow("capital at the start") << "Several members raised questions." << "a ns vd ns";
        QTest::newRow("capital in mid-sentence is a name") << "We met Hope and Light there." << "- vd - - - r";
        QTest::newRow("clitics") << "The company's workers don't know." << "- n ns - v";
        QTest::newRow("possessive plural") << "The members' votes counted." << "- ns ns vd";
        QTest::newRow("abbreviation keeps its stop") << "Shares of Acme Inc. rose sharply." << "ns - - - vd r";
        QTest::newRow("known only as a name, in lower case") << "The old cook smiled." << "- a n vd";
        QTest::newRow("unknown words by suffix") << "They were glorping the flumps blarkily." << "- vd vg - ns r";
        QTest::newRow("unknown words by suffix 2") << "The zandification seemed very snorkful." << "- n vd r a";
    }
    void classes()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, classes);
        QStringList found;
        for (const WordClass c : m_tagger->tag(sentence.split(QLatin1Char(' '))))
            found.append(c == WordClass::None ? QStringLiteral("-") : wordClassCode(c));
        QCOMPARE(found.join(QLatin1Char(' ')), classes);
    }

    void oneClassPerTokenWhateverTheToken()
    {
        const QStringList tokens = {"", "\r\n", "--", "Houses", "...", "sold."};
        const QVector<WordClass> found = m_tagger->tag(tokens);
        QCOMPARE(found.size(), tokens.size());
        QCOMPARE(found[1], WordClass::None);
        QCOMPARE(found[3], WordClass::NounPlural);
        QCOMPARE(found[5], WordClass::VerbPast);
        QVERIFY(m_tagger->tag({}).isEmpty());
    }

    // Each thread decodes in its own working space, and a long sentence leaves no trace.
    void threadsAndLongSentencesGiveTheSameClasses()
    {
        const QStringList sentence = QStringLiteral("Several members raised questions about the cost.").split(u' ');
        const QVector<WordClass> expected = m_tagger->tag(sentence);
        QStringList longSentence;
        for (int i = 0; i < 20000; ++i)
            longSentence += sentence;
        QVector<WordClass> fromThread;
        std::thread other([&] {
            for (int i = 0; i < 200; ++i)
                fromThread = m_tagger->tag(i % 50 == 0 ? longSentence : sentence);
        });
        bool same = true;
        for (int i = 0; i < 200; ++i)
            same = same && m_tagger->tag(sentence) == expected;
        other.join();
        QVERIFY(same);
        QCOMPARE(fromThread, expected);
        QCOMPARE(m_tagger->tag(longSentence).size(), longSentence.size());
        QCOMPARE(m_tagger->tag(sentence), expected);
    }

    void badFilesGiveAnError_data()
    {
        QTest::addColumn<QByteArray>("lexicon");
        QTest::addColumn<QByteArray>("trigrams");
        QTest::addColumn<QString>("message");
        const QByteArray lexicon = contents(Lexicon);
        const QByteArray trigrams = contents(Trigrams);
        QTest::newRow("truncated counts") << lexicon << trigrams.left(trigrams.size() - 800) << "counts where";
        QTest::newRow("counts cut in a number") << lexicon << trigrams.chopped(3) << "middle of a number";
        QTest::newRow("no trigram header") << lexicon << trigrams.mid(1) << "NgramBin_2";
        QTest::newRow("not a lexicon") << trigrams << trigrams << "MNCL";
        QTest::newRow("malformed lexicon line")
            << QByteArray("MNCL\n(\"house\" ((nn -6.1) ) () )\n(\"mouse\" ((nn -6.1 ) () )\n") << trigrams
            << "line 3";
        QTest::newRow("unknown tag") << QByteArray("MNCL\n(\"house\" ((xx -6.1) ) () )\n") << trigrams << "\"xx\"";
    }
    void badFilesGiveAnError()
    {
        QFETCH(QByteArray, lexicon);
        QFETCH(QByteArray, trigrams);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString lexiconPath = dir.filePath(QStringLiteral("lexicon"));
        const QString trigramPath = dir.filePath(QStringLiteral("trigrams"));
        QFile lexiconFile(lexiconPath), trigramFile(trigramPath);
        QVERIFY(lexiconFile.open(QIODevice::WriteOnly) && lexiconFile.write(lexicon) == lexicon.size());
        QVERIFY(trigramFile.open(QIODevice::WriteOnly) && trigramFile.write(trigrams) == trigrams.size());
        lexiconFile.close();
        trigramFile.close();
        QString error;
        QVERIFY(!PosTagger::load(lexiconPath, trigramPath, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void missingFileGivesItsName()
    {
        QString error;
        QVERIFY(!PosTagger::load(QStringLiteral("/nonexistent/lexicon"), Trigrams, &error));
        QVERIFY2(error.startsWith(QStringLiteral("/nonexistent/lexicon: ")), qPrintable(error));
        QVERIFY(!PosTagger::load(Lexicon, Trigrams + QStringLiteral(".missing"), nullptr));
        // What is not a file is not opened: a pipe would wait for ever, a device never end.
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(!PosTagger::load(fifo, Trigrams, &error));
        QVERIFY2(error.contains(QStringLiteral("named pipe")), qPrintable(error));
        QVERIFY(!PosTagger::load(Lexicon, QStringLiteral("/dev/zero"), &error));
        QVERIFY2(error.contains(QStringLiteral("a device")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestPosTagger)
#include "tst_postagger.moc"

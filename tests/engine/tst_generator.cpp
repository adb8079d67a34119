#include "engine/RandomDraw.h"
#include "engine/VariationGenerator.h"
#include "engine/WordList.h"
#include "fixtures/FixtureDb.h"
#include "fixtures/RecordingObserver.h"
#include "fixtures/ScriptedDraws.h"
#include "engine/Numbers.h"
#include "startup/WordStore.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

RewriteSettings settingsWith(int legibility, const QString &target = QString())
{
    RewriteSettings s;
    s.legibility = legibility;
    s.targetWordCount = decimalNumber(target);
    return s;
}

KeywordRule change(const QString &keyword, const QString &replacement)
{
    return {keyword, replacement, false};
}

KeywordRule keep(const QString &keyword)
{
    return {keyword, keyword, true};
}

// Draws from a seed, the same each time.
class SeededDraws : public DrawSource
{
public:
    explicit SeededDraws(quint64 seed) : m_state(seed) {}
    double nextFraction() override
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return double(m_state >> 11) * 0x1.0p-53;
    }

private:
    quint64 m_state;
};

qsizetype wordsIn(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<WordStore> m_store;
    WordList m_list;

    // A fresh store over a fixture database; Words rows are numbered in order.
    void useWords(const QList<FixtureWord> &words, const QStringList &excluded = {})
    {
        makeFixtureDb(m_dir.path(), words, excluded);
        useStore();
    }
    void useStore()
    {
        m_store = std::make_unique<WordStore>();
        QVERIFY(!m_store->OpenWordStore(m_dir.path()));
    }

    QString generate(const QString &text, const RewriteSettings &settings, DrawSource &draws,
                     RecordingObserver *observer = nullptr)
    {
        m_list.FillWordList(text);
        VariationGenerator generator(m_list, *m_store, draws);
        return generator.GenerateVariation(settings, observer).text;
    }

private slots:
    void init()
    {
        useWords({{"happy", {"glad", "felicitous", "content"}},
                  {"zebra", {}},
                  {"gnu", {}},
                  {"house", {"home"}},
                  {"cat", {"feline"}}});
    }

    void plannedReplacements_data()
    {
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("legibility");
        QTest::addColumn<qint64>("planned");
        QTest::newRow("10 at 80") << 10 << 80 << qint64(2);
        QTest::newRow("2 at 75: 0.5 rounds to 0") << 2 << 75 << qint64(0);
        QTest::newRow("6 at 75: 1.5 rounds to 2") << 6 << 75 << qint64(2);
        QTest::newRow("10 at 75: 2.5 rounds to 2") << 10 << 75 << qint64(2);
        QTest::newRow("100 at 5") << 100 << 5 << qint64(95);
        QTest::newRow("no 32-bit ceiling") << 50000000 << 5 << qint64(47500000);
    }
    void plannedReplacements()
    {
        QFETCH(int, words);
        QFETCH(int, legibility);
        QFETCH(qint64, planned);
        QCOMPARE(VariationGenerator::plannedReplacements(legibility, words), planned);
    }

    void replacesWithTheDrawnSynonymInTheDatabasesCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("row");
        QTest::addColumn<QString>("result");
        QTest::newRow("row 2") << "happy" << qint64(2) << " felicitous \r\n";
        QTest::newRow("capitalised word, row 0 counts as 1") << "HAPPY" << qint64(0) << " glad \r\n";
        QTest::newRow("last row") << "Happy" << qint64(3) << " content \r\n";
    }
    void replacesWithTheDrawnSynonymInTheDatabasesCase()
    {
        QFETCH(QString, text);
        QFETCH(qint64, row);
        QFETCH(QString, result);
        ScriptedDraws draws;
        draws.then(0, 2).then(row, 3);
        RecordingObserver observer;
        QCOMPARE(generate(text, settingsWith(5), draws, &observer), result);
        QVERIFY(draws.exhausted());
        QCOMPARE(observer.events, (QStringList{"started", "progress max 1", "finished saving"}));
        QCOMPARE(observer.lastProgress, 1);
        QCOMPARE(m_list.entry(0), result.trimmed()); // the list keeps the synonym, unmarked
    }

    void aReplacedWordIsNotReplacedAgainInTheSameCall()
    {
        ScriptedDraws draws;
        // happy -> glad; the marked entry is picked again and refused; the second
        // happy -> content.
        draws.then(0, 3).then(1, 3).then(0, 3).then(1, 3).then(3, 3);
        QCOMPARE(generate(QStringLiteral("happy happy"), settingsWith(5), draws), QStringLiteral(" glad content \r\n"));
        QVERIFY(draws.exhausted());
    }

    void nothingPlannedTouchesNothing()
    {
        ScriptedDraws none; // any draw would fail the test
        RecordingObserver observer;
        QCOMPARE(generate(QStringLiteral("happy happy"), settingsWith(75), none, &observer),
                 QStringLiteral(" happy happy \r\n"));
        QCOMPARE(none.taken(), 0);
        QVERIFY(observer.events.contains(QStringLiteral("progress max 1")));
        QCOMPARE(observer.lastProgress, -1);
    }

    // Failed picks end the replacing: short words and excluded words at the 101st,
    // keyword and marked picks where the byte-wide count would pass 255.
    void failedPicksEndTheReplacing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("excluded");
        QTest::addColumn<KeywordRule>("rule");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("result");
        QTest::newRow("short word with synonyms") << "cat" << QStringList{} << KeywordRule{} << 101 << " cat \r\n";
        QTest::newRow("excluded in another case") << "happy" << QStringList{"HAPPY"} << KeywordRule{} << 102
                                                  << " happy \r\n";
        QTest::newRow("keep keyword in another case") << "Happy" << QStringList{} << keep("hAPPY") << 256
                                                      << " Happy \r\n";
        QTest::newRow("change keyword protected, then changed") << "HAPPY" << QStringList{}
                                                                << change("happy", "joyful") << 256 << " joyful \r\n";
        QTest::newRow("original ending in ###") << "house###" << QStringList{} << KeywordRule{} << 256
                                                << " house \r\n";
    }
    void failedPicksEndTheReplacing()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, excluded);
        QFETCH(KeywordRule, rule);
        QFETCH(int, draws);
        QFETCH(QString, result);
        useWords({{"happy", {"glad"}}, {"house", {"home"}}, {"cat", {"feline"}}}, excluded);
        RewriteSettings settings = settingsWith(5);
        settings.keywordRules[0] = rule;
        ScriptedDraws always;
        always.thenAlways(0, 2);
        QCOMPARE(generate(text, settings, always), result);
        QCOMPARE(always.taken(), draws);
    }

    void wordsWithoutSynonymsDoNotCount()
    {
        // Only long words without synonyms: the replacing still ends, through
        // the short picks of line breaks and of the position past the end.
        ClockDrawSource clock;
        QCOMPARE(generate(QStringLiteral("zebra quagga\r\nokapi"), settingsWith(5), clock),
                 QStringLiteral(" zebra quagga \r\n okapi \r\n"));
    }

    void anEntryThatTookWordsMatchesOnlyAHeadWordWithASpace()
    {
        for (const bool spacedHead : {false, true}) {
            useWords({{spacedHead ? "wild cat" : "wild", {"feral"}}});
            m_list.FillWordList(QStringLiteral("x"));
            m_list.setEntry(0, QStringLiteral("wild cat")); // as a stretch leaves it
            // Entry 0, row 1; then the line break, a short entry, until the run gives up.
            ScriptedDraws draws;
            draws.then(0, 2).then(1, 1).thenAlways(1, 2);
            VariationGenerator generator(m_list, *m_store, draws);
            const QString text = generator.GenerateVariation(settingsWith(0)).text;
            QCOMPARE(text, spacedHead ? QStringLiteral(" feral \r\n") : QStringLiteral(" wild cat \r\n"));
            }
    }

    void joinsEntriesEachAfterOneSpace()
    {
        ScriptedDraws draws;
        draws.thenAlways(0, 5); // "a": short, 101 times
        QCOMPARE(generate(QStringLiteral("a b\r\nc"), settingsWith(80), draws),
                 QStringLiteral(" a b \r\n c \r\n"));
        QCOMPARE(generate(QString(), settingsWith(80), draws), QString());
    }

    void keywordChanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<KeywordRule>>("rules");
        QTest::addColumn<QString>("result");
        QTest::newRow("inside longer words, any case") << "Concatenate the CAT"
                                                       << QList<KeywordRule>{change("cat", "dog")}
                                                       << " Condogenate the dog \r\n";
        QTest::newRow("later rows see earlier changes") << "red blue"
                                                        << QList<KeywordRule>{change("red", "blue"), change("blue", "green")}
                                                        << " green green \r\n";
        QTest::newRow("no search inside the replacement") << "aa"
                                                          << QList<KeywordRule>{change("a", "aa")}
                                                          << " aaaa \r\n";
        QTest::newRow("across the joining spaces") << "big cat"
                                                   << QList<KeywordRule>{change("g c", "g, c")} << " big, cat \r\n";
        QTest::newRow("keep rows change nothing") << "cat" << QList<KeywordRule>{keep("cat")} << " cat \r\n";
        QTest::newRow("empty keyword changes nothing") << "cat" << QList<KeywordRule>{change("", "dog")}
                                                       << " cat \r\n";
    }
    void keywordChanges()
    {
        QFETCH(QString, text);
        QFETCH(QList<KeywordRule>, rules);
        QFETCH(QString, result);
        RewriteSettings settings = settingsWith(80);
        for (int i = 0; i < rules.size(); ++i)
            settings.keywordRules[i] = rules[i];
        // Force every pick onto a line break: short.
        m_list.FillWordList(text);
        ScriptedDraws breaks;
        breaks.thenAlways(m_list.count() - 1, m_list.count());
        QCOMPARE(generate(text, settings, breaks), result);
    }

    // "happy" replaced, "zebra" inserted after "zebra", then the change row:
    // one letter per word of the text, Same, Changed or Inserted.
    void wordChangesMarkWhatDiffers_data()
    {
        QTest::addColumn<KeywordRule>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kinds");
        QTest::newRow("replaced and inserted") << KeywordRule() << " * house zebra zebra \r\n" << "CSSI";
        QTest::newRow("a keyword change") << change("house", "home") << " * home zebra zebra \r\n" << "CCSI";
        QTest::newRow("a keyword dropped inside a word") << change("ous", "") << " * he zebra zebra \r\n" << "CCSI";
        QTest::newRow("a keyword made what it was") << change("HOUSE", "house") << " * house zebra zebra \r\n"
                                                    << "CSSI";
        QTest::newRow("a keyword joining two words") << change("e z", "e-z") << " * house-zebra zebra \r\n"
                                                     << "CCI";
    }
    void wordChangesMarkWhatDiffers()
    {
        QFETCH(KeywordRule, rule);
        QFETCH(QString, text);
        QFETCH(QString, kinds);
        RewriteSettings settings = settingsWith(67, QStringLiteral("4")); // one replacement, one insertion
        settings.keywordRules[0] = rule;
        ScriptedDraws draws;
        draws.then(0, 4).then(1, 3).then(2, 5).then(2, 4);
        m_list.FillWordList(QStringLiteral("happy house zebra"));
        VariationGenerator generator(m_list, *m_store, draws);
        const Variation variation = generator.GenerateVariation(settings);
        const qsizetype synonym = variation.text.indexOf(QLatin1Char(' '), 1);
        QCOMPARE(QString(variation.text).replace(1, synonym - 1, QStringLiteral("*")), text);
        QString found;
        for (const quint8 kind : variation.changes.kinds())
            found += QStringLiteral("SCI").at(kind);
        QCOMPARE(found, kinds);
        QCOMPARE(variation.changes.changed(), kinds.count(QLatin1Char('C')));
        QCOMPARE(variation.changes.inserted(), 1);
    }

    // The marks are read entry by entry unless a keyword row changes the text;
    // then they follow its characters. Both ways must agree, variation after
    // variation, on words holding lone line breaks, synonyms of two words or
    // none, and entries that took inserted words.
    void marksAgreeWithAndWithoutAKeywordChange()
    {
        useWords({{"happy", {"glad", "full of joy", ""}},
                  {"house", {"home", "dwelling place"}},
                  {"zebra", {}},
                  {"some\rthing", {"any\nthing"}}});
        const QString text = QStringLiteral("happy house\r\nzebra some\rthing happy\r\n\r\nhouse to") + QChar::LineSeparator
                             + QStringLiteral("day happy");
        WordList plain, followed;
        SeededDraws plainDraws(7), followedDraws(7);
        VariationGenerator byEntries(plain, *m_store, plainDraws);
        VariationGenerator byCharacters(followed, *m_store, followedDraws);
        for (int v = 0; v < 60; ++v) {
            if (v % 3 == 0) {
                plain.FillWordList(text);
                followed.FillWordList(text);
            }
            // Replaced, then stretched, then both.
            RewriteSettings settings = settingsWith(v % 3 == 1 ? 80 : 30, v % 3 ? QStringLiteral("16") : QString());
            RewriteSettings withRow = settings;
            withRow.keywordRules[0] = change(QStringLiteral(" "), QStringLiteral(" ")); // found, changes nothing
            const Variation a = byEntries.GenerateVariation(settings);
            const Variation b = byCharacters.GenerateVariation(withRow);
            QCOMPARE(a.text, b.text);
            QCOMPARE(a.changes.kinds(), b.changes.kinds());
            QCOMPARE(a.changes.words(), WordChanges::countWords(a.text));
        }
    }

    void stretchInsertsAfterTheDrawnEntry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QList<QPair<qint64, qint64>>>("script");
        QTest::addColumn<QString>("result");
        using Script = QList<QPair<qint64, qint64>>;
        // Words rows: happy 1, zebra 2, gnu 3, house 4, cat 5.
        QTest::newRow("after a replaced word, which loses its marker")
            << "I am happy" << "4" << Script{{2, 4}, {1, 3}, {2, 5}, {2, 4}} << " I am glad zebra \r\n";
        QTest::newRow("position 0 counts as 1: never after the first entry")
            << "alpha beta" << "3" << Script{{2, 5}, {0, 3}} << " alpha beta zebra \r\n";
        QTest::newRow("after a line break it begins the next line")
            << "alpha\r\nbeta" << "3" << Script{{4, 5}, {1, 4}} << " alpha \r\n house beta \r\n";
        QTest::newRow("past the last entry: appended") << "alpha" << "2" << Script{{2, 5}, {2, 2}}
                                                       << " alpha \r\n zebra";
        QTest::newRow("a word of 3 letters uses the attempt up") << "alpha" << "2" << Script{{3, 5}}
                                                                 << " alpha \r\n";
        QTest::newRow("target with a fraction: 3.5 gives 2 attempts")
            << "alpha beta" << "3.5" << Script{{2, 5}, {2, 3}, {4, 5}, {1, 3}} << " alpha beta house \r\n zebra";
        QTest::newRow("target equal to the count") << "alpha beta" << "2" << Script{} << " alpha beta \r\n";
        QTest::newRow("target below the count") << "alpha beta" << "1" << Script{} << " alpha beta \r\n";
        QTest::newRow("empty target") << "alpha beta" << "" << Script{} << " alpha beta \r\n";
        QTest::newRow("two points") << "alpha beta" << "1.2.3" << Script{} << " alpha beta \r\n";
        QTest::newRow("a lone point") << "alpha beta" << "." << Script{} << " alpha beta \r\n";
        QTest::newRow("letters") << "alpha beta" << "ten" << Script{} << " alpha beta \r\n";
    }
    void stretchInsertsAfterTheDrawnEntry()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        using Script = QList<QPair<qint64, qint64>>;
        QFETCH(Script, script);
        QFETCH(QString, result);
        ScriptedDraws draws;
        for (const auto &[value, bound] : script)
            draws.then(value, bound);
        // Legibility 80 on these texts plans no replacement, except "I am happy" at
        // 80: 0.6 rounds to 1.
        QCOMPARE(generate(text, settingsWith(80, target), draws), result);
        QVERIFY(draws.exhausted());
    }

    void insertionsAccumulateOverCalls()
    {
        useWords({{"alpha", {}}, {"bravo", {}}, {"charlie", {}}});
        ClockDrawSource clock;
        const QString text = QStringLiteral("ab cd ef gh ij kl mn op qr st");
        m_list.FillWordList(text);
        VariationGenerator generator(m_list, *m_store, clock);
        const RewriteSettings settings = settingsWith(80, QStringLiteral("15"));
        const QString first = generator.GenerateVariation(settings).text;
        const QString second = generator.GenerateVariation(settings).text;
        QCOMPARE(wordsIn(first), 15);
        QCOMPARE(wordsIn(second), 20);
        QVERIFY(first.startsWith(QStringLiteral(" ab ")));
        QVERIFY(second.startsWith(QStringLiteral(" ab ")));
    }

    void emptyWordsTableInsertsNothing()
    {
        useWords({});
        ScriptedDraws none;
        QCOMPARE(generate(QStringLiteral("ab cd"), settingsWith(80, QStringLiteral("10")), none),
                 QStringLiteral(" ab cd \r\n"));
    }

    void nullSynonymCountsAsEmptyText()
    {
        execOnFixtureDb(m_dir.path(), QStringLiteral("insert into Words(word_id, word) values(50, 'vacant');"
                                                     "insert into Synonyms(word_id, synonym) values(50, null)"));
        useStore();
        ScriptedDraws draws;
        draws.then(1, 3).then(1, 1);
        QCOMPARE(generate(QStringLiteral("ab vacant"), settingsWith(50), draws), QStringLiteral(" ab  \r\n"));
    }

    // A failing store gives its failure back; the call makes no further query.
    void failedQueryEndsTheQueries()
    {
        m_store = std::make_unique<WordStore>();
        ScriptedDraws draws;
        draws.then(0, 2);
        m_list.FillWordList(QStringLiteral("happy"));
        VariationGenerator generator(m_list, *m_store, draws);
        const Variation v = generator.GenerateVariation(settingsWith(5, QStringLiteral("50")));
        QVERIFY(v.storeFailure);
        QCOMPARE(v.storeFailure->location, int(WordStore::LocationNotOpen));
        QCOMPARE(v.text, QStringLiteral(" happy \r\n"));
    }

    // Past 32,767 entries and 255 positions nothing wraps or is cut.
    void longTextIsHandledWhole()
    {
        QStringList words;
        for (int i = 0; i < 40000; ++i)
            words << QStringLiteral("happy");
        ClockDrawSource clock;
        const QString result = generate(words.join(QLatin1Char(' ')), settingsWith(5), clock);
        QCOMPARE(wordsIn(result), 40000);
        int replaced = 0;
        for (qsizetype i = 32768; i < 40000; ++i)
            replaced += m_list.entry(i) != QLatin1String("happy") ? 1 : 0;
        QVERIFY(replaced > 6000);
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"

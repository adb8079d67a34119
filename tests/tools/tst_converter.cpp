#include "MythesReader.h"
#include "SynonymFilter.h"
#include "WordsDbWriter.h"
#include "fixtures/FixtureDb.h"
#include "startup/WordStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// A thesaurus in the shape of Debian's English one.
const QByteArray English = R"(UTF-8
happy|3
(adj)|blissful (similar term)|glad (related term)|unhappy (antonym)
(adj)|felicitous|fortunate (similar term)
(adj)|glad|willing (similar term)
felicitous|1
(adj)|happy|well-chosen
glad|2
(adj)|happy
(verb)|gladden
Glad|1
(adj)|cheerful
cheerful|1
(adj)|Glad|happy
gladden|1
(verb)|glad|cheer (generic term)
big apple|1
(noun)|New York|city (generic term)
New York|1
(noun)|big apple|Gotham
large|2
(adj)|big|large
(noun)|big
big|1
(adj)|large|large
)";

QStringList synonymsOf(const QVector<HeadWord> &heads, const QString &word)
{
    for (const HeadWord &h : heads) {
        if (h.word == word)
            return h.synonyms;
    }
    return {QStringLiteral("<no head word>")};
}

QStringList wordsIn(const QString &path, const QString &sql)
{
    SqliteDatabase db;
    db.open(path, SqliteDatabase::Mode::ReadWrite);
    SqliteStatement st = db.prepare(sql);
    QStringList out;
    while (st.step())
        out << st.text(0);
    return out;
}

// The English fixture thesaurus as a file in `folder`; its path.
QString writeEnglish(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("th.dat"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(English);
    return path;
}

QByteArray hashOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestConverter : public QObject
{
    Q_OBJECT

private slots:
    void readerSplitsTermsAndTags()
    {
        const Thesaurus t = parseMythes(English);
        QVERIFY(t.error.isEmpty());
        QCOMPARE(t.encoding, QStringLiteral("UTF-8"));
        QCOMPARE(t.entries.size(), 10);
        const ThesaurusEntry &happy = t.entries.first();
        QCOMPARE(happy.head, QStringLiteral("happy"));
        QCOMPARE(happy.meanings.size(), 3);
        QCOMPARE(happy.meanings[0].partOfSpeech, QStringLiteral("adj"));
        QCOMPARE(happy.meanings[0].terms[2].text, QStringLiteral("unhappy"));
        QCOMPARE(happy.meanings[0].terms[2].tag, QStringLiteral("antonym"));
        QCOMPARE(happy.meanings[1].terms[0].tag, QString());

        QVERIFY(!parseMythes("UTF-8\nhappy|x\n").error.isEmpty());
        QVERIFY(!parseMythes("").error.isEmpty());
        // A head line without its word is passed over with its meanings.
        const Thesaurus headless = parseMythes("ISO8859-1\n|1\n(noun)|x\nhappy|1\n(adj)|glad\n");
        QCOMPARE(headless.entries.size(), 1);
        QCOMPARE(headless.entries[0].head, QStringLiteral("happy"));
    }

    void onlyTrueSynonymsAreKept_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QStringList>("synonyms");
        // felicitous and glad list happy back; blissful is tagged, unhappy an antonym.
        QTest::newRow("symmetric, untagged") << "happy" << QStringList{"felicitous", "glad"};
        // glad's verb sense: gladden lists glad as a verb too. "Glad" merges into glad.
        QTest::newRow("case variants merged") << "glad" << QStringList{"happy", "gladden", "cheerful"};
        // well-chosen is not a head word listing felicitous back.
        QTest::newRow("one-way listing dropped") << "felicitous" << QStringList{"happy"};
        // large lists big only as a noun; big lists large as an adjective.
        QTest::newRow("same part of speech only") << "big" << QStringList{"large"};
        QTest::newRow("head word itself and duplicates dropped") << "large" << QStringList{"big"};
        // Multi-word synonyms stay; multi-word head words do not become head words.
        QTest::newRow("multi-word synonym") << "New" << QStringList{"<no head word>"};
    }
    void onlyTrueSynonymsAreKept()
    {
        QFETCH(QString, head);
        QFETCH(QStringList, synonyms);
        const QVector<HeadWord> heads = selectSynonyms(parseMythes(English));
        QCOMPARE(synonymsOf(heads, head), synonyms);
        for (const HeadWord &h : heads)
            QVERIFY2(!h.word.contains(QLatin1Char(' ')), qPrintable(h.word));
    }

    void writerBuildsTheDocumentedTables()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words.mdb"));
        WordsDbCounts counts;
        QVERIFY(!writeWordsDb(path, selectSynonyms(parseMythes(English)), &counts));
        QCOMPARE(counts.headWords, 7);
        QVERIFY(!QFile::exists(path + QStringLiteral(".building")));

        WordStore store;
        QVERIFY(!store.OpenWordStore(dir.path()));
        ResultSet rows = store.SynonymsOf(QStringLiteral("HAPPY"));
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(store.AllWords().rowCount(), 7);
        QCOMPARE(store.ListExcluded().rowCount(), 0);
        QVERIFY(!store.AddExcluded(QStringLiteral("mine")));
        QCOMPARE(counts.synonymRows, qint64(wordsIn(path, QStringLiteral("select synonym from Synonyms")).size()));
    }

    // Rebuilding words.mdb replaces the words and keeps the user's exclusion list.
    void rebuildKeepsTheExclusionList()
    {
        QTemporaryDir dir;
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}}, {"Keep", "O'Brien", "zebra"});
        const QStringList before = wordsIn(path, QStringLiteral("select id || ':' || word from Tbl_Exclude"));

        QVERIFY(!writeWordsDb(path, selectSynonyms(parseMythes(English))));
        QCOMPARE(wordsIn(path, QStringLiteral("select id || ':' || word from Tbl_Exclude")), before);
        QCOMPARE(wordsIn(path, QStringLiteral("select word from Words where word = 'old'")), QStringList());
        QVERIFY(wordsIn(path, QStringLiteral("select word from Words")).contains(QStringLiteral("happy")));

        // New rows still get fresh ids after the rebuild.
        SqliteDatabase db;
        db.open(path, SqliteDatabase::Mode::ReadWrite);
        QVERIFY(!db.exec(QStringLiteral("insert into Tbl_Exclude(word) values('after')")));
        QCOMPARE(wordsIn(path, QStringLiteral("select count(distinct id) from Tbl_Exclude")), QStringList{"4"});
    }

    // The user's chosen synonyms live in the same file: a restart reads them
    // back, a rebuild of the words and the converter itself leave them as
    // they were, and a choice can be forgotten.
    void choicesSurviveARestartAndARebuild()
    {
        QTemporaryDir dir;
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}});
        const auto choicesOf = [&](const QString &word) {
            WordStore store;
            if (store.OpenWordStore(dir.path()))
                return QStringList{"not open"};
            QStringList found;
            for (const WordStore::Choice &c : store.ChoicesOf(word, QStringLiteral("vz")).value_or(QVector<WordStore::Choice>()))
                found << c.synonym + (c.chosen ? QStringLiteral("+") : QStringLiteral("-"));
            return found;
        };
        {
            WordStore store;
            QVERIFY(!store.OpenWordStore(dir.path())); // gives the older file its table
            QVERIFY(!store.SaveChoices({{"Needs", "vz", "requires", true}, {"needs", "vz", "wants", false},
                                        {"needs", "vz", "lacks", true}}));
            QVERIFY(!store.SaveChoices({{"needs", "vz", "lacks", std::nullopt}}));
        }
        QCOMPARE(choicesOf(QStringLiteral("NEEDS")), QStringList({"requires+", "wants-"}));
        QVERIFY(!writeWordsDb(path, selectSynonyms(parseMythes(English)), {}, nullptr,
                              {{"needs", WordClass::VerbThird, {"requires", "demands"}}}));
        QCOMPARE(wordsIn(path, QStringLiteral("select synonym from OfferSynonyms order by rank")),
                 QStringList({"requires", "demands"}));
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL),
                                   {"--thesaurus", writeEnglish(dir.path()), "--output", path}), 0);
        QCOMPARE(choicesOf(QStringLiteral("needs")), QStringList({"requires+", "wants-"}));
    }

    // The synonyms by word class go in with the rest, the word in lower case
    // and ranked best first, and the converter fills them on a rebuild; the
    // user's exclusion list stays as it was.
    void rebuildFillsTheSynonymsByClass()
    {
        QTemporaryDir dir;
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}}, {"Keep", "it's"});
        const QString excluded = QStringLiteral("select id || ':' || word from Tbl_Exclude");
        const QStringList before = wordsIn(path, excluded);
        const QVector<ClassSynonyms> byClass = {{"Needs", WordClass::NounPlural, {"requirements", "necessities"}},
                                                {"needs", WordClass::VerbThird, {"requires"}}};
        WordsDbCounts counts;
        QVERIFY(!writeWordsDb(path, selectSynonyms(parseMythes(English)), byClass, &counts));
        QCOMPARE(wordsIn(path, QStringLiteral("select word || ' ' || class || ' ' || rank || ' ' || synonym "
                                              "from FitSynonyms order by class, rank")),
                 QStringList({"needs ns 1 requirements", "needs ns 2 necessities", "needs vz 1 requires"}));
        QCOMPARE(counts.classForms, 2);
        QCOMPARE(counts.classRows, 3);
        QCOMPARE(wordsIn(path, excluded), before);

        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL),
                                   {"--thesaurus", writeEnglish(dir.path()), "--output", path}), 0);
        QCOMPARE(wordsIn(path, QStringLiteral("select synonym from FitSynonyms where word = 'glad' and class = 'a' "
                                              "order by rank")),
                 QStringList({"happy", "pleased"}));
        QCOMPARE(wordsIn(path, QStringLiteral("select count(*) from FitSynonyms where word = 'needs'")),
                 QStringList{"0"});
        // Every form of a verb of two words, but none that ends in a preposition.
        QCOMPARE(wordsIn(path, QStringLiteral("select word || ' ' || particle from PhrasalVerbs where word in "
                                              "('find', 'found', 'belongs') order by word, particle")),
                 QStringList({"find fault", "find out", "found fault", "found out"}));
        QCOMPARE(wordsIn(path, excluded), before);
    }

    // A disk that fills during a rebuild (here: a limit on the size of files):
    // the old file stays whole, and no journal is left to hold the space.
    void aRebuildOnAFullDiskLeavesTheOldFileAndNoJournal()
    {
        QTemporaryDir dir;
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}}, {"Keep", "zebra"});
        const QByteArray before = hashOf(path);
        QVector<HeadWord> heads;
        for (int i = 0; i < 50000; ++i)
            heads.append({QStringLiteral("word%1").arg(i), {QStringLiteral("synonym%1").arg(i)}, {}});

        rlimit unlimited, full;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        full = {256 * 1024, unlimited.rlim_max};
        const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN); // a short write, not death
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        const auto error = writeWordsDb(path, heads);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, signalBefore);
        QVERIFY(error);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
        QCOMPARE(hashOf(path), before);
    }

    void aFileThatIsNotADatabaseIsNeverOverwritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words.mdb"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("my notes, not a database\n").repeated(200));
        f.close();
        const QByteArray before = hashOf(path);
        QVERIFY(writeWordsDb(path, selectSynonyms(parseMythes(English))));
        QCOMPARE(hashOf(path), before);
    }

    // The build runs the converter with --if-missing: an existing file is left alone.
    void toolLeavesAnExistingDatabaseAlone()
    {
        QTemporaryDir dir;
        const QString thesaurus = writeEnglish(dir.path());
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}}, {"Keep"});
        const QByteArray before = hashOf(path);

        const QStringList args = {"--if-missing", "--thesaurus", thesaurus, "--output", path};
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), args), 0);
        QCOMPARE(hashOf(path), before);

        // Without the flag it rebuilds, still keeping the list.
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), args.mid(1)), 0);
        QVERIFY(hashOf(path) != before);
        QCOMPARE(wordsIn(path, QStringLiteral("select word from Tbl_Exclude")), QStringList{"Keep"});

        // A missing file is created.
        QFile::remove(path);
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), args), 0);
        QVERIFY(wordsIn(path, QStringLiteral("select word from Words")).contains(QStringLiteral("happy")));
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), {"--if-missing", "--thesaurus",
                                   dir.filePath(QStringLiteral("none.dat")), "--output",
                                   dir.filePath(QStringLiteral("other.mdb"))}), 1);
    }

    // The build runs it with --if-outdated: words of an older version are rebuilt,
    // the exclusion list kept; words of this version, or a file that is not a
    // database, are left alone.
    void outdatedWordsAreRebuilt()
    {
        QTemporaryDir dir;
        const QString thesaurus = writeEnglish(dir.path());
        const QString path = makeFixtureDb(dir.path(), {{"old", {"aged"}}}, {"Keep", "it's"});
        QCOMPARE(wordDataVersion(path), std::optional<int>(0));
        const QStringList args = {"--if-outdated", "--thesaurus", thesaurus, "--output", path};
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), args), 0);
        QCOMPARE(wordDataVersion(path), std::optional<int>(WordDataVersion));
        QVERIFY(wordsIn(path, QStringLiteral("select word from Words")).contains(QStringLiteral("happy")));
        QCOMPARE(wordsIn(path, QStringLiteral("select word from Tbl_Exclude order by id")),
                 QStringList({"Keep", "it's"}));
        const QByteArray current = hashOf(path);
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), args), 0);
        QCOMPARE(hashOf(path), current);

        const QString notes = dir.filePath(QStringLiteral("notes.mdb"));
        QFile n(notes);
        QVERIFY(n.open(QIODevice::WriteOnly));
        n.write("my notes, not a database");
        n.close();
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL), {"--if-outdated", "--thesaurus", thesaurus,
                                                                  "--output", notes}), 0);
        QVERIFY(n.open(QIODevice::ReadOnly));
        QCOMPARE(n.readAll(), QByteArray("my notes, not a database"));
    }

    // Other thesauri label relations in their own words and places.
    void otherLanguagesKeepOnlyTrueSynonyms_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QStringList>("synonyms");
        // German: no part of speech, broader terms "(Oberbegriff)", register labels kept off.
        QTest::newRow("German") << QByteArray("UTF-8\n|1\n-|anno (...)|im Jahr (...)\n"
                                              "schnell|1\n-|rasch|flink (ugs.)|Tempo (Oberbegriff)|fix (ugs., fig.)\n"
                                              "rasch|1\n-|schnell\nflink|1\n-|schnell (ugs.)\n"
                                              "fix|1\n-|schnell\ntempo|1\n-|schnell\n")
                                << "schnell" << QStringList{"rasch", "flink", "fix"};
        // Russian: a byte-order mark, and the relation in the first field.
        QTest::newRow("Russian") << QByteArray("\xEF\xBB\xBFUTF-8\n"
                                               "\xD0\xB1\xD1\x8B\xD1\x81\xD1\x82\xD1\x80\xD1\x8B\xD0\xB9|2\n"
                                               "(\xD1\x81\xD0\xB8\xD0\xBD\xD0\xBE\xD0\xBD\xD0\xB8\xD0\xBC)|\xD1\x81\xD0\xBA\xD0\xBE\xD1\x80\xD1\x8B\xD0\xB9\n"
                                               "(\xD0\xB0\xD0\xBD\xD1\x82\xD0\xBE\xD0\xBD\xD0\xB8\xD0\xBC)|\xD0\xBC\xD0\xB5\xD0\xB4\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB9\n"
                                               "\xD1\x81\xD0\xBA\xD0\xBE\xD1\x80\xD1\x8B\xD0\xB9|1\n"
                                               "(\xD1\x81\xD0\xB8\xD0\xBD\xD0\xBE\xD0\xBD\xD0\xB8\xD0\xBC)|\xD0\xB1\xD1\x8B\xD1\x81\xD1\x82\xD1\x80\xD1\x8B\xD0\xB9\n"
                                               "\xD0\xBC\xD0\xB5\xD0\xB4\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB9|1\n"
                                               "(\xD0\xB0\xD0\xBD\xD1\x82\xD0\xBE\xD0\xBD\xD0\xB8\xD0\xBC)|\xD0\xB1\xD1\x8B\xD1\x81\xD1\x82\xD1\x80\xD1\x8B\xD0\xB9\n")
                                 << QStringLiteral("быстрый") << QStringList{QStringLiteral("скорый")};
        // Spanish: declares Latin-1, holds UTF-8 lines too.
        QTest::newRow("Spanish") << QByteArray("ISO8859-1\nr\xE1pido|1\n-|veloz|lento (Ant\xF3nimo)|ligero (fig.)\n"
                                               "veloz|1\n-|r\xC3\xA1pido\nligero|1\n-|r\xE1pido\nlento|1\n-|r\xE1pido (Ant\xF3nimo)\n")
                                 << QStringLiteral("rápido") << QStringList{"veloz", "ligero"};
    }
    void otherLanguagesKeepOnlyTrueSynonyms()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, head);
        QFETCH(QStringList, synonyms);
        const Thesaurus thesaurus = parseMythes(file);
        QVERIFY2(thesaurus.error.isEmpty(), qPrintable(thesaurus.error));
        QCOMPARE(synonymsOf(selectSynonyms(thesaurus), head), synonyms);
    }

    // Another language replaces the words and keeps the user's list, as any rebuild does.
    void anotherLanguageKeepsTheExclusionList()
    {
        QTemporaryDir dir;
        const QString thesaurus = dir.filePath(QStringLiteral("th_de.dat"));
        QFile t(thesaurus);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("UTF-8\nschnell|1\n-|rasch\nrasch|1\n-|schnell\n");
        t.close();
        const QString path = makeFixtureDb(dir.path(), {{"happy", {"glad"}}}, {"Keep", "Straße"});
        QCOMPARE(QProcess::execute(QStringLiteral(WORDSDB_TOOL),
                                   {"--language", "de", "--thesaurus", thesaurus, "--output", path}), 0);
        QCOMPARE(wordsIn(path, QStringLiteral("select word from Tbl_Exclude")), (QStringList{"Keep", "Straße"}));
        QCOMPARE(wordsIn(path, QStringLiteral("select word from Words")), (QStringList{"schnell", "rasch"}));
    }

    // Debian's English thesaurus, where installed: antonyms and loose relations never pass.
    void debianThesaurusGivesTrueSynonyms()
    {
        const QString path = QStringLiteral("/usr/share/mythes/th_en_US_v2.dat");
        if (!QFile::exists(path))
            QSKIP("mythes-en-us is not installed");
        const QVector<HeadWord> heads = selectSynonyms(readMythes(path));
        qsizetype withSynonyms = 0;
        for (const HeadWord &h : heads)
            withSynonyms += h.synonyms.isEmpty() ? 0 : 1;
        QVERIFY2(withSynonyms > 45000, qPrintable(QString::number(withSynonyms)));
        const QStringList happy = synonymsOf(heads, QStringLiteral("happy"));
        QVERIFY(happy.contains(QStringLiteral("glad")));
        QVERIFY(!happy.contains(QStringLiteral("unhappy")));
        QVERIFY(!synonymsOf(heads, QStringLiteral("hot")).contains(QStringLiteral("cold")));
        QVERIFY(!synonymsOf(heads, QStringLiteral("good")).contains(QStringLiteral("bad")));
        QVERIFY(!synonymsOf(heads, QStringLiteral("good")).contains(QStringLiteral("good")));
    }
};

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"

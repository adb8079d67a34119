#include "fixtures/FixtureDb.h"
#include "startup/WordStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList column(ResultSet rows, const QString &name)
{
    QStringList out;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        out << rows.field(name).toString();
    return out;
}

} // namespace

class TestWordStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        makeFixtureDb(m_dir.path(),
                      {{"happy", {"glad", "felicitous"}},
                       {"Big", {"large"}},
                       {"big", {"great"}},
                       {"café", {"coffeehouse"}},
                       {"don't", {"do not"}},
                       {"tiny", {}},
                       {"nullsyn", {}}},
                      {"Keep", "O'Brien", "ÉCOLE", "twice", "Twice"});
    }

    void resultSetIsFetchedWholeAndNumberedFromOne()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        ResultSet rows = store.ListExcluded();
        QVERIFY(rows.isOpen());
        QCOMPARE(rows.rowCount(), 5);
        QVERIFY(rows.moveTo(2));
        QCOMPARE(rows.field(QStringLiteral("word")).toString(), QStringLiteral("O'Brien"));
        QCOMPARE(rows.field(0).toLongLong(), 2);
        QCOMPARE(rows.field(QStringLiteral("WORD")).toString(), QStringLiteral("O'Brien")); // names ignore case
        QVERIFY(!rows.moveTo(6));
        QVERIFY(rows.atEnd());
        QVERIFY(rows.field(0).isNull());
        QVERIFY(!rows.moveTo(0));

        // A snapshot: later changes do not show in a result already fetched.
        ResultSet before = store.ListExcluded();
        QVERIFY(!store.AddExcluded(QStringLiteral("later")));
        QCOMPARE(before.rowCount(), 5);
        QCOMPARE(store.ListExcluded().rowCount(), 6);
    }

    void isExcludedIgnoresCaseOfEveryLetter_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("excluded");
        QTest::newRow("same case") << "Keep" << true;
        QTest::newRow("other case") << "kEEP" << true;
        QTest::newRow("non-ASCII other case") << "école" << true;
        QTest::newRow("apostrophe exact") << "O'Brien" << true;
        QTest::newRow("apostrophe other case") << "o'brien" << true;
        QTest::newRow("apostrophe missing") << "OBrien" << false;
        QTest::newRow("with trailing blank") << "Keep " << false;
        QTest::newRow("unknown") << "happy" << false;
        QTest::newRow("empty") << "" << false;
    }
    void isExcludedIgnoresCaseOfEveryLetter()
    {
        QFETCH(QString, word);
        QFETCH(bool, excluded);
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QCOMPARE(store.IsExcluded(word), std::optional<bool>(excluded));
    }

    void synonymsOfMatchesHeadWordsInAnyCase_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("synonyms");
        QTest::newRow("plain") << "happy" << QStringList{"glad", "felicitous"};
        QTest::newRow("capitalised") << "HAPPY" << QStringList{"glad", "felicitous"};
        QTest::newRow("head held twice gives both rows") << "big" << QStringList{"large", "great"};
        QTest::newRow("non-ASCII other case") << "CAFÉ" << QStringList{"coffeehouse"};
        QTest::newRow("apostrophe") << "don't" << QStringList{"do not"};
        QTest::newRow("punctuation attached") << "happy," << QStringList{};
        QTest::newRow("head without synonyms") << "tiny" << QStringList{};
        QTest::newRow("not a head word") << "zebra" << QStringList{};
    }
    void synonymsOfMatchesHeadWordsInAnyCase()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, synonyms);
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        const ResultSet rows = store.SynonymsOf(word);
        QVERIFY(rows.isOpen());
        QCOMPARE(rows.rowCount(), synonyms.size());
        QCOMPARE(column(rows, QStringLiteral("synonym")), synonyms);
        // The kept answer is the same the second time.
        QCOMPARE(column(store.SynonymsOf(word), QStringLiteral("synonym")), synonyms);
    }

    void allWordsReadsByColumnNumber()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        ResultSet all = store.AllWords();
        QCOMPARE(all.rowCount(), 7);
        QVERIFY(all.moveTo(7));
        QCOMPARE(all.field(0).toString(), QStringLiteral("nullsyn"));

        makeFixtureDb(m_dir.path(), {});
        WordStore empty;
        QVERIFY(!empty.OpenWordStore(m_dir.path()));
        QVERIFY(empty.AllWords().isOpen());
        QCOMPARE(empty.AllWords().rowCount(), 0);
        QCOMPARE(empty.SynonymsOf(QStringLiteral("happy")).rowCount(), 0);
    }

    void exclusionListKeepsWordsExactly()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        const QStringList odd = {" padded ", "50%", "back\\slash", "quote\"d", "it's", "Ärger"};
        for (const QString &w : odd)
            QVERIFY(!store.AddExcluded(w));
        for (const QString &w : odd) {
            QCOMPARE(store.IsExcluded(w), std::optional<bool>(true));
            QVERIFY(column(store.ListExcluded(), QStringLiteral("word")).contains(w));
        }
        QCOMPARE(store.IsExcluded(QStringLiteral("ärger")), std::optional<bool>(true));
        QCOMPARE(store.IsExcluded(QStringLiteral("padded")), std::optional<bool>(false));

        for (const QString &w : odd)
            QVERIFY(!store.DeleteExcluded(w));
        for (const QString &w : odd)
            QCOMPARE(store.IsExcluded(w), std::optional<bool>(false));
    }

    void listIsOrderedIgnoringCaseAndDeleteTakesEveryCopy()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QCOMPARE(column(store.ListExcluded(), QStringLiteral("word")),
                 (QStringList{"Keep", "O'Brien", "Twice", "twice", "ÉCOLE"}));
        QVERIFY(store.ListExcluded().field(QStringLiteral("id")).toLongLong() > 0);

        QVERIFY(!store.DeleteExcluded(QStringLiteral("TWICE")));
        QCOMPARE(column(store.ListExcluded(), QStringLiteral("word")), (QStringList{"Keep", "O'Brien", "ÉCOLE"}));
        QCOMPARE(store.IsExcluded(QStringLiteral("twice")), std::optional<bool>(false));
    }

    void nullWordsAreHarmless()
    {
        execOnFixtureDb(m_dir.path(), QStringLiteral("insert into Tbl_Exclude(word) values(null);"
                                                     "insert into Words(word_id, word) values(99, null);"
                                                     "insert into Synonyms(word_id, synonym) values(1, null)"));
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QCOMPARE(store.IsExcluded(QString()), std::optional<bool>(false));
        QCOMPARE(store.ListExcluded().rowCount(), 6);
        ResultSet happy = store.SynonymsOf(QStringLiteral("happy"));
        QCOMPARE(happy.rowCount(), 3);
        QVERIFY(happy.moveTo(3));
        QVERIFY(happy.field(0).isNull());
        QCOMPARE(store.AllWords().rowCount(), 8);
    }

    void anotherProgramsChangesAreSeen()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QCOMPARE(store.IsExcluded(QStringLiteral("outsider")), std::optional<bool>(false));
        QCOMPARE(store.SynonymsOf(QStringLiteral("tiny")).rowCount(), 0);

        SqliteDatabase other;
        QVERIFY(!other.open(store.path(), SqliteDatabase::Mode::ReadWrite));
        QVERIFY(!other.exec(QStringLiteral("insert into Tbl_Exclude(word) values('Outsider');"
                                           "insert into Synonyms(word_id, synonym) values(6, 'wee')")));
        QTest::qWait(150);
        QCOMPARE(store.IsExcluded(QStringLiteral("outsider")), std::optional<bool>(true));
        QCOMPARE(column(store.SynonymsOf(QStringLiteral("tiny")), QStringLiteral("synonym")), QStringList{"wee"});
    }

    void aReadBurstHoldsOffWritersUntilItEnds()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        SqliteDatabase other;
        QVERIFY(!other.open(store.path(), SqliteDatabase::Mode::ReadWrite));
        const QString insert = QStringLiteral("insert into Tbl_Exclude(word) values('Outsider')");
        {
            WordStore::ReadBurst burst(store);
            QCOMPARE(store.SynonymsOf(QStringLiteral("happy")).rowCount(), 2);
            QVERIFY(other.exec(insert)); // busy: the burst holds the read lock
            WordStore::ReadBurst nested(store); // inside a transaction: does nothing
        }
        QVERIFY(!other.exec(insert));
        QTest::qWait(150); // another program's change is looked for at most this often
        QCOMPARE(store.IsExcluded(QStringLiteral("outsider")), std::optional<bool>(true));
    }

    void fileMadeElsewhereGetsTheIndexItNeeds()
    {
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        SqliteDatabase other;
        QVERIFY(!other.open(store.path(), SqliteDatabase::Mode::ReadWrite));
        SqliteStatement index = other.prepare(
            QStringLiteral("select name from sqlite_master where type = 'index' and tbl_name = 'Synonyms'"));
        QVERIFY(index.step());
        QVERIFY(!index.step());
    }

    void missingDatabaseIsReportedOnceAndQueriesFailAfterwards()
    {
        QTemporaryDir empty;
        WordStore store;
        const auto failure = store.OpenWordStore(empty.path());
        QVERIFY(failure);
        QVERIFY(!store.isOpen());
        QVERIFY(failure->description.contains(QStringLiteral("words.mdb")));
        QCOMPARE(failure->location, int(WordStore::LocationOpen));
        QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("words.mdb")))); // never created

        // Each later query gives its own failure.
        const int notOpen = WordStore::LocationNotOpen;
        QCOMPARE(store.SynonymsOf(QStringLiteral("happy")).failure().location, notOpen);
        const StoreAnswer<bool> excluded = store.IsExcluded(QStringLiteral("happy"));
        QVERIFY(!excluded);
        QCOMPARE(excluded.failure.location, notOpen);
        QCOMPARE(store.AllWords().failure().location, notOpen);
        QCOMPARE(store.ListExcluded().failure().location, notOpen);
        QVERIFY(store.AddExcluded(QStringLiteral("word")));
        QVERIFY(store.DeleteExcluded(QStringLiteral("word")));
    }

    // Something under the name that is no file is called what it is.
    void aDatabaseThatIsNoFileSaysWhatItIs()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words.mdb"));
        const auto said = [&] { return WordStore().OpenWordStore(dir.path()).value_or(StoreFailure{}).description; };
        QVERIFY(QDir().mkdir(path));
        QVERIFY2(said().endsWith(QStringLiteral("is a folder, not a file.")), qPrintable(said()));
        QVERIFY(QDir().rmdir(path) && mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY2(said().endsWith(QStringLiteral("is a named pipe (FIFO), not a file.")), qPrintable(said()));
        QVERIFY(QFile::remove(path) && QFile::link(QStringLiteral("/dev/null"), path));
        QVERIFY2(said().endsWith(QStringLiteral("is a link to /dev/null, which is a device, not a file.")),
                 qPrintable(said()));
    }

    void damagedDatabasesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("text file renamed") << QByteArray("happy|glad\nsad|blue\n" + QByteArray(4096, 'x'))
                                           << "file is not a database";
        QTest::newRow("empty database") << QByteArray() << "no table Words";
    }
    void damagedDatabasesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("words.mdb")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        WordStore store;
        const auto failure = store.OpenWordStore(dir.path());
        QVERIFY(failure);
        QVERIFY2(failure->description.contains(message), qPrintable(failure->description));
        QVERIFY(!store.ListExcluded().isOpen());
    }

    void lockedDatabaseIsReported()
    {
        SqliteDatabase other;
        QVERIFY(!other.open(QDir(m_dir.path()).filePath(QStringLiteral("words.mdb")), SqliteDatabase::Mode::ReadWrite));
        QVERIFY(!other.exec(QStringLiteral("begin exclusive; insert into Tbl_Exclude(word) values('x');")));
        WordStore store;
        const auto failure = store.OpenWordStore(m_dir.path());
        QVERIFY(failure);
        QVERIFY2(failure->description.contains(QStringLiteral("locked")), qPrintable(failure->description));
        other.exec(QStringLiteral("rollback"));
    }

    // Read-only file and folder: reading works, writes return their failure.
    // Root ignores permissions, so the check runs in a child as an ordinary user.
    void readOnlyDatabaseReadsButRefusesWrites()
    {
        QTemporaryDir dir;
        const QString path = makeFixtureDb(dir.path(), {{"happy", {"glad"}}}, {"Keep"});
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        QVERIFY(QFile::setPermissions(dir.path(), readOnly | QFileDevice::ExeOwner | QFileDevice::ExeOther));

        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(10);
            WordStore store;
            if (store.OpenWordStore(dir.path()))
                _exit(11);
            if (store.SynonymsOf(QStringLiteral("happy")).rowCount() != 1)
                _exit(12);
            if (store.IsExcluded(QStringLiteral("keep")) != std::optional<bool>(true))
                _exit(13);
            if (!store.AddExcluded(QStringLiteral("new")))
                _exit(14); // the write must fail
            if (!store.DeleteExcluded(QStringLiteral("Keep")))
                _exit(15);
            if (store.IsExcluded(QStringLiteral("keep")) != std::optional<bool>(true))
                _exit(16);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"

// Where the program keeps its files: beside a writable executable, or in the
// user's data folder, with a copy of the installed words that never replaces the
// user's exclusion list.

#include "fixtures/FixtureDb.h"
#include "startup/ProgramFolder.h"
#include "startup/ProgramFolderLock.h"
#include "startup/WordStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void setVersion(const QString &path, int version)
{
    SqliteDatabase db;
    db.open(path, SqliteDatabase::Mode::ReadWrite);
    db.exec(QStringLiteral("pragma user_version = %1").arg(version));
}

QStringList column(const QString &path, const QString &sql)
{
    SqliteDatabase db;
    db.open(path, SqliteDatabase::Mode::ReadWrite);
    SqliteStatement rows = db.prepare(sql);
    QStringList values;
    while (rows.step())
        values << rows.text(0);
    return values;
}

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void aWritableExecutableFolderIsTheProgramFolder()
    {
        QTemporaryDir install, home;
        const ProgramFolder folder = ProgramFolder::choose(install.path(), true, home.path());
        QCOMPARE(folder.path, install.path());
        QVERIFY(folder.error.isEmpty());
        QVERIFY(QDir(home.path()).isEmpty());
    }

    void aReadOnlyInstallGivesTheUserACopyThatIsNeverReplaced()
    {
        QTemporaryDir install, home;
        makeFixtureDb(install.path(), {{"quick", {"fast"}}}, {"shipped"});
        setVersion(install.filePath("words.mdb"), 3);
        const QString dataHome = home.filePath("nested/share"); // made on the way

        const ProgramFolder first = ProgramFolder::choose(install.path(), false, dataHome);
        QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
        QCOMPARE(first.path, QDir(dataHome).filePath("penrook"));
        const QString copy = QDir(first.path).filePath("words.mdb");
        QVERIFY(QFileInfo(copy).isWritable());
        QVERIFY(!QFile::exists(copy + ".part"));
        WordStore store;
        QVERIFY(!store.OpenWordStore(first.path));
        store.AddExcluded("mine");

        // A second start, and an installed file of the same version: the copy stays.
        setVersion(install.filePath("words.mdb"), 3);
        QVERIFY(ProgramFolder::choose(install.path(), false, dataHome).error.isEmpty());
        QCOMPARE(column(copy, "select word from Tbl_Exclude order by word"), QStringList({"mine", "shipped"}));
    }

    void newerInstalledWordsReachTheCopyAndTheExclusionsStay()
    {
        QTemporaryDir install, home;
        makeFixtureDb(install.path(), {{"quick", {"fast"}}});
        setVersion(install.filePath("words.mdb"), 2);
        const ProgramFolder folder = ProgramFolder::choose(install.path(), false, home.path());
        const QString copy = QDir(folder.path).filePath("words.mdb");
        {
            WordStore store;
            QVERIFY(!store.OpenWordStore(folder.path));
            store.AddExcluded("mine");
        }
        makeFixtureDb(install.path(), {{"big", {"large", "huge"}}, {"small", {"little"}}});
        setVersion(install.filePath("words.mdb"), 3);

        const ProgramFolder again = ProgramFolder::choose(install.path(), false, home.path());
        QVERIFY2(again.error.isEmpty(), qPrintable(again.error));
        QCOMPARE(column(copy, "select word from Words order by word"), QStringList({"big", "small"}));
        QCOMPARE(column(copy, "select synonym from Synonyms order by synonym"), QStringList({"huge", "large", "little"}));
        QCOMPARE(column(copy, "select word from Tbl_Exclude"), QStringList({"mine"}));
        QCOMPARE(column(copy, "pragma user_version"), QStringList({"3"}));

        // An older installed file (a downgrade) leaves the user's words as they are.
        makeFixtureDb(install.path(), {{"old", {"aged"}}});
        setVersion(install.filePath("words.mdb"), 1);
        QVERIFY(ProgramFolder::choose(install.path(), false, home.path()).error.isEmpty());
        QCOMPARE(column(copy, "select word from Words order by word"), QStringList({"big", "small"}));
    }

    // Newer installed words bring their synonyms by word class along.
    void theSynonymsByClassReachTheCopy()
    {
        QTemporaryDir install, home;
        makeFixtureDb(install.path(), {{"quick", {"fast"}}});
        setVersion(install.filePath("words.mdb"), 3);
        const ProgramFolder folder = ProgramFolder::choose(install.path(), false, home.path());
        execOnFixtureDb(install.path(), "create table FitSynonyms(word text, class text, synonym text, rank integer);"
                                        "insert into FitSynonyms values('quick', 'a', 'fast', 1);"
                                        "create table PhrasalVerbs(word text, particle text);"
                                        "insert into PhrasalVerbs values('found', 'out')");
        setVersion(install.filePath("words.mdb"), 4);
        QVERIFY(ProgramFolder::choose(install.path(), false, home.path()).error.isEmpty());
        QCOMPARE(column(QDir(folder.path).filePath("words.mdb"), "select synonym from FitSynonyms where class = 'a'"),
                 QStringList({"fast"}));
        QCOMPARE(column(QDir(folder.path).filePath("words.mdb"), "select word || ' ' || particle from PhrasalVerbs"),
                 QStringList({"found out"}));
    }

    void aDataFolderThatCannotBeMadeIsReported()
    {
        QTemporaryDir install, home;
        QFile blocker(home.filePath("share"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should go
        blocker.close();
        const ProgramFolder folder = ProgramFolder::choose(install.path(), false, home.filePath("share"));
        QVERIFY(folder.error.contains(home.filePath("share/penrook")));
    }

    // One running copy per folder; another folder is another copy's.
    void oneRunningCopyHoldsAFolder()
    {
        QTemporaryDir one, two;
        auto first = std::make_unique<ProgramFolderLock>(one.path());
        QVERIFY(first->tryLock());
        ProgramFolderLock second(one.path());
        QVERIFY(!second.tryLock());
        QVERIFY(second.heldMessage().contains(one.path()));
        ProgramFolderLock elsewhere(two.path());
        QVERIFY(elsewhere.tryLock());
        first.reset();
        QVERIFY(second.tryLock());
    }

    // A lock file copied with its folder while its copy runs, or left by a
    // copy that is gone, holds nothing.
    void aLockFileNoRunningCopyHoldsIsNoLock()
    {
        QTemporaryDir original, copied;
        ProgramFolderLock running(original.path());
        QVERIFY(running.tryLock());
        const QString name = QString::fromLatin1(ProgramFolderLock::FileName);
        QVERIFY(QFile::copy(QDir(original.path()).filePath(name), QDir(copied.path()).filePath(name)));
        ProgramFolderLock copy(copied.path());
        QVERIFY(copy.tryLock());
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"

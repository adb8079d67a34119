#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "fixtures/FixtureDb.h"
#include "fixtures/RecordingObserver.h"
#include "sources/TextFiles.h"
#include "startup/WordStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestReprintRun : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_program; // the program folder, with words.mdb
    std::unique_ptr<QTemporaryDir> m_output;
    std::unique_ptr<WordStore> m_store;
    ClockDrawSource m_clock;
    RewriteSettings m_settings;
    std::unique_ptr<ReprintRun> m_run;

    // The settings with `count` reprints, typed as `typed` (the count itself when empty).
    RewriteSettings reprints(qint64 count, const QString &typed = QString()) const
    {
        RewriteSettings s = m_settings;
        s.reprintCount = count;
        s.reprintCountText = typed.isEmpty() ? QString::number(count) : typed;
        return s;
    }

    QString program(const QString &name) const { return QDir(m_program->path()).filePath(name); }
    QString output(const QString &name) const { return QDir(m_output->path()).filePath(name); }

private slots:
    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        m_output = std::make_unique<QTemporaryDir>();
        makeFixtureDb(m_program->path(), {{"alpha", {}}, {"bravo", {}}, {"charlie", {}}});
        m_store = std::make_unique<WordStore>();
        QVERIFY(!m_store->OpenWordStore(m_program->path()));
        m_run = std::make_unique<ReprintRun>(*m_store, m_clock, m_program->path());
        // Every call inserts one more word, so every variation differs from the last.
        m_run->FillWordList(QStringLiteral("ab cd ef"));
        m_settings = RewriteSettings();
        m_settings.legibility = 80;
        m_settings.targetWordCount = 4;
        m_settings.outputFolder = m_output->path();
    }

    // Each call inserts one more word: the changes kept for each working copy
    // are its own, and are given only for the text they were made for.
    void eachWorkingCopyKeepsItsOwnChanges()
    {
        RecordingObserver observer;
        QVERIFY(m_run->SaveReprints(reprints(3), &observer));
        QCOMPARE(observer.changes.size(), 1);
        QCOMPARE(observer.changes[0].inserted(), 2); // the saved copy's word, then its own
        QCOMPARE(observer.changes[0].words(), 5);
        for (const qint64 inserted : {4, 6}) {
            const auto step = m_run->ViewNext();
            QVERIFY(step && step->text && step->changes);
            QCOMPARE(step->changes->inserted(), inserted);
            QCOMPARE(step->changes->words(), 3 + inserted);
            QCOMPARE(step->changes->changed(), 0);
        }
        QVERIFY(WriteTextFile(program(QStringLiteral("Quillmorph1.txt")), {QStringLiteral(" ab cd ef alpha ")}) == std::nullopt);
        const auto edited = m_run->ViewNext();
        QVERIFY(edited && edited->text && !edited->changes);
    }

    void savingWritesTwoDifferentCopiesAndShowsTheWorkingOne()
    {
        RecordingObserver observer;
        QVERIFY(m_run->SaveReprints(reprints(1), &observer));
        const QByteArray saved = bytesOf(output(QStringLiteral("Quillmorpht1.txt")));
        const QByteArray working = bytesOf(program(QStringLiteral("Quillmorph1.txt")));
        QVERIFY(saved.startsWith(" ab "));
        QVERIFY(saved.endsWith("\r\n"));
        QCOMPARE(saved.count("\r\n"), 2); // the variation's line break (or a word after it), then the file's
        QVERIFY(saved != working);
        QCOMPARE(observer.results, QStringList{QString::fromUtf8(working)});
        QCOMPARE(observer.events.first(), QStringLiteral("1 Of 1"));
        QCOMPARE(observer.events.count(QStringLiteral("started")), 2);
        QCOMPARE(observer.events.last(), QStringLiteral("run ended"));
        QVERIFY(observer.failures.isEmpty());
        QCOMPARE(m_run->viewPosition(), 1);
        QVERIFY(!m_run->ViewNext()); // a count of 1 does nothing
    }

    void displayOnlyWritesWorkingCopiesAndViewNextWraps()
    {
        RecordingObserver observer;
        QVERIFY(m_run->ShowReprints(reprints(3), &observer));
        QCOMPARE(QDir(m_output->path()).entryList(QDir::Files), QStringList());
        QCOMPARE(observer.events.count(QStringLiteral("started")), 3);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(FileExists(program(ReprintRun::workingCopyName(i))));

        const QStringList labels = {"2 Of 3", "3 Of 3", "1 Of 3", "2 Of 3"};
        const QList<int> copies = {2, 3, 1, 2};
        for (int click = 0; click < labels.size(); ++click) {
            const auto step = m_run->ViewNext();
            QVERIFY(step);
            QCOMPARE(step->label, labels[click]);
            QCOMPARE(step->text, ReadTextFile(program(ReprintRun::workingCopyName(copies[click]))).text);
        }
        QVERIFY(m_run->ShowReprints(reprints(5, QStringLiteral("05")), nullptr));
        QCOMPARE(m_run->ViewNext()->label, QStringLiteral("2 Of 05"));
    }

    void noReprintsWritesNothingButShowsAnEarlierCopy()
    {
        RecordingObserver observer;
        QVERIFY(m_run->SaveReprints(reprints(0), &observer));
        QCOMPARE(observer.events, QStringList{"run ended"});
        QVERIFY(observer.results.isEmpty());
        QVERIFY(QDir(m_output->path()).entryList(QDir::Files).isEmpty());

        QVERIFY(!WriteTextFile(program(QStringLiteral("Quillmorph1.txt")), {QStringLiteral("earlier")}));
        QVERIFY(m_run->ShowReprints(reprints(-2), &observer));
        QCOMPARE(observer.results, QStringList{"earlier\r\n"});
        QCOMPARE(m_run->viewPosition(), 1);
    }

    void aShorterRunLeavesHigherNumbersInPlace()
    {
        QVERIFY(m_run->SaveReprints(reprints(5), nullptr));
        const QByteArray fourth = bytesOf(output(QStringLiteral("Quillmorpht4.txt")));
        const QByteArray fifth = bytesOf(program(QStringLiteral("Quillmorph5.txt")));
        QVERIFY(m_run->SaveReprints(reprints(2), nullptr));
        QCOMPARE(bytesOf(output(QStringLiteral("Quillmorpht4.txt"))), fourth);
        QCOMPARE(bytesOf(program(QStringLiteral("Quillmorph5.txt"))), fifth);
    }

    void fractionalViewCountNeverWraps()
    {
        QVERIFY(m_run->ShowReprints(reprints(2, QStringLiteral("2.5")), nullptr));
        auto step = m_run->ViewNext();
        QCOMPARE(step->label, QStringLiteral("2 Of 2.5"));
        QVERIFY(step->text);
        step = m_run->ViewNext();
        QCOMPARE(step->label, QStringLiteral("3 Of 2.5"));
        QVERIFY(!step->text); // no copy 3: the box keeps its text
        QCOMPARE(m_run->ViewNext()->label, QStringLiteral("4 Of 2.5"));
        QVERIFY(m_run->ShowReprints(reprints(1, QStringLiteral("two")), nullptr));
        QVERIFY(!m_run->ViewNext());
    }

    void viewPositionGoesPast255()
    {
        QVERIFY(m_run->ShowReprints(reprints(1, QStringLiteral("300")), nullptr));
        QString label;
        for (int click = 0; click < 299; ++click)
            label = m_run->ViewNext()->label;
        QCOMPARE(label, QStringLiteral("300 Of 300"));
        QCOMPARE(m_run->ViewNext()->label, QStringLiteral("1 Of 300"));
    }

    void anUnwritableFileStopsTheRunAndKeepsWhatWasWritten()
    {
        RecordingObserver observer;
        // Another program takes the output folder away as the second reprint starts.
        QTemporaryDir vanishing;
        m_settings.outputFolder = vanishing.path();
        observer.onReprintStarted = [&](qint64 number) {
            if (number == 2)
                QDir(vanishing.path()).removeRecursively();
        };
        QVERIFY(!m_run->SaveReprints(reprints(3), &observer));
        QCOMPARE(observer.failures.size(), 1);
        QVERIFY2(observer.failures.first().contains(vanishing.path() + QStringLiteral("/Quillmorpht2.txt")),
                 qPrintable(observer.failures.first()));
        QVERIFY(FileExists(program(QStringLiteral("Quillmorph1.txt"))));
        QVERIFY(!FileExists(program(QStringLiteral("Quillmorph2.txt"))));
        QVERIFY(observer.events.contains(QStringLiteral("run ended")));
        QCOMPARE(observer.results.size(), 1); // copy 1 is still shown
    }

    void aStoppedRunClaimsNothingItDidNotMake()
    {
        // Copies of an earlier, longer run lie in the folder.
        for (const char *name : {"Quillmorph1.txt", "Quillmorph2.txt", "Quillmorph3.txt"})
            QVERIFY(!WriteTextFile(program(QString::fromLatin1(name)), {QStringLiteral("earlier")}));

        // The window is closed during the first variation: it is not written.
        RecordingObserver closing;
        closing.stopAt = 0;
        QVERIFY(!m_run->ShowReprints(reprints(3), &closing));
        QCOMPARE(closing.stopped, QStringLiteral("0 of 3"));
        QVERIFY(closing.results.isEmpty());
        QCOMPARE(bytesOf(program(QStringLiteral("Quillmorph1.txt"))), QByteArray("earlier\r\n"));
        auto step = m_run->ViewNext();
        QVERIFY(!step->text);
        QVERIFY2(step->error.contains(QStringLiteral("not made")), qPrintable(step->error));

        // Closed during the second: the first is made, the earlier second is no new one.
        RecordingObserver later;
        later.stopAt = 1;
        QVERIFY(!m_run->ShowReprints(reprints(3), &later));
        QCOMPARE(later.stopped, QStringLiteral("1 of 3"));
        QVERIFY(bytesOf(program(QStringLiteral("Quillmorph1.txt"))) != QByteArray("earlier\r\n"));
        step = m_run->ViewNext();
        QCOMPARE(step->label, QStringLiteral("2 Of 3"));
        QVERIFY(!step->text);
        QVERIFY(!step->error.isEmpty());
    }

    // What the run says it made and what it wrote agree: a variation a failed
    // query cut short is written nowhere.
    void aFailedQueryStopsTheRunWithOneReportAndNoFile()
    {
        m_store = std::make_unique<WordStore>(); // never opened
        m_run = std::make_unique<ReprintRun>(*m_store, m_clock, m_program->path());
        m_run->FillWordList(QStringLiteral("happy days are here"));
        m_settings.legibility = 5;
        for (const bool save : {true, false}) {
            RecordingObserver observer;
            QVERIFY(!(save ? m_run->SaveReprints(reprints(3), &observer) : m_run->ShowReprints(reprints(3), &observer)));
            QCOMPARE(observer.storeFailures.size(), 1);
            QCOMPARE(observer.storeFailures.first().location, int(WordStore::LocationNotOpen));
            QCOMPARE(observer.stopped, QStringLiteral("0 of 3"));
            QVERIFY(observer.results.isEmpty());
            QVERIFY(!FileExists(output(QStringLiteral("Quillmorpht1.txt"))));
            QVERIFY(!FileExists(program(QStringLiteral("Quillmorph1.txt"))));
        }
    }
};

QTEST_GUILESS_MAIN(TestReprintRun)
#include "tst_reprintrun.moc"

#include "sources/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

class TestTextFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void writeEndsEveryLineWithCrLfInUtf8()
    {
        const QString path = m_dir.filePath(QStringLiteral("out.txt"));
        QVERIFY(!WriteTextFile(path, {QStringLiteral(" a b \r\n c café"), QString()}));
        QCOMPARE(bytesOf(path), QByteArray(" a b \r\n c caf\xC3\xA9\r\n\r\n"));

        // An existing file is truncated, not appended to.
        QVERIFY(!WriteTextFile(path, {QStringLiteral("x")}));
        QCOMPARE(bytesOf(path), QByteArray("x\r\n"));
        QVERIFY(!WriteTextFile(path, {}));
        QCOMPARE(bytesOf(path), QByteArray());
    }

    void readReturnsTheFileUnchanged()
    {
        const QString path = m_dir.filePath(QStringLiteral("round.txt"));
        const QString text = QStringLiteral("first line\r\nsecond\ttabbed\u00A0nbsp\nbare LF \u201Cquoted\u201D €");
        QVERIFY(!WriteTextFile(path, {text}));
        const TextFileContent read = ReadTextFile(path);
        QVERIFY(read.ok());
        QCOMPARE(read.text, text + QStringLiteral("\r\n"));
    }

    void longLinesGoOutWhole()
    {
        // Longer than the writer's piece, with a character of two UTF-16 units
        // across where a piece ends.
        const QString path = m_dir.filePath(QStringLiteral("long.txt"));
        const QString line = QString(16383, QLatin1Char('a')) + QStringLiteral("\U0001F600") + QString(40000, QLatin1Char('b'));
        QVERIFY(!WriteTextFile(path, {line, QStringLiteral("end")}));
        QCOMPARE(ReadTextFile(path).text, line + QStringLiteral("\r\nend\r\n"));
    }

    void aWriteCutShortLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quillmorph1.txt"));
        writeBytes(path, "the old copy");
        // The disk fills up after 64 KiB.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        const auto error = WriteTextFile(path, {QString(1 << 20, QLatin1Char('x'))});
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(error);
        QCOMPARE(bytesOf(path), QByteArray("the old copy"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Quillmorph1.txt")});
    }

    void readOnlyFilesAreNotReplaced()
    {
        const QString path = m_dir.filePath(QStringLiteral("kept.txt"));
        writeBytes(path, "mine");
        QFile::setPermissions(path, QFile::ReadOwner);
        if (QFileInfo(path).isWritable())
            QSKIP("root writes a read-only file");
        QVERIFY(WriteTextFile(path, {QStringLiteral("theirs")}));
        QCOMPARE(bytesOf(path), QByteArray("mine"));
    }

    void legacyBytesAreReadAsWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("latin letters") << QByteArray("caf\xE9 na\xEFve") << QStringLiteral("café naïve");
        QTest::newRow("smart quotes and euro") << QByteArray("\x93quoted\x94 \x80 5") << QStringLiteral("\u201Cquoted\u201D € 5");
        QTest::newRow("unassigned byte kept") << QByteArray("a\x81z") << QStringLiteral("a\u0081z");
        QTest::newRow("one bad byte in UTF-8 text") << QByteArray("caf\xC3\xA9 and \xE9") << QStringLiteral("cafÃ© and é");
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBFhello") << QStringLiteral("hello");
        QTest::newRow("utf-16 little-endian") << QByteArray("\xFF\xFE" "c\0\xE9\0\xAC\x20", 8) << QStringLiteral("cé€");
        QTest::newRow("utf-16 big-endian") << QByteArray("\xFE\xFF" "\0c\0\xE9", 6) << QStringLiteral("cé");
        QTest::newRow("only the first mark dropped") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "aa") << QStringLiteral("\uFEFFaa");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void legacyBytesAreReadAsWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = m_dir.filePath(QStringLiteral("legacy.txt"));
        writeBytes(path, bytes);
        const TextFileContent read = ReadTextFile(path);
        QVERIFY(read.ok());
        QCOMPARE(read.text, text);
        QVERIFY(!read.text.contains(QChar::ReplacementCharacter));
    }

    // A few damaged sequences in UTF-8 text cost only their own bytes.
    void damagedUtf8StaysUtf8()
    {
        const QString path = m_dir.filePath(QStringLiteral("damaged.txt"));
        writeBytes(path, QByteArray("caf\xC3\xA9 \xF0\x9F\x98\x80 \xED\xA0\x80"));
        const QString text = ReadTextFile(path).text;
        QVERIFY2(text.startsWith(QStringLiteral("café 😀 ")), qPrintable(text));
        const QString damaged = text.mid(QStringLiteral("café 😀 ").size());
        QVERIFY(!damaged.isEmpty());
        QCOMPARE(damaged, QString(damaged.size(), QChar::ReplacementCharacter));
    }

    void failuresAreReportedWithPathAndReason_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("no/such/folder/out.txt"));
        QTest::newRow("a folder") << m_dir.path();
        QTest::newRow("below a file") << QStringLiteral("/etc/hostname/out.txt");
        QTest::newRow("disk full") << QStringLiteral("/dev/full");
    }
    void failuresAreReportedWithPathAndReason()
    {
        QFETCH(QString, path);
        const auto error = WriteTextFile(path, {QStringLiteral("some text that has to go somewhere")});
        QVERIFY(error);
        QVERIFY2(error->contains(path), qPrintable(*error));
        QVERIFY(!error->endsWith(QStringLiteral(": ")));
        // Nothing takes the place of what the name named.
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    }

    // A disk that fills while a small file waits in the write buffer: the
    // failure shows only when the buffer goes out, and must still be caught.
    // The process's file size limit stands in for a full disk.
    void aDiskThatFillsLeavesTheOldFileAndSaysSo()
    {
        const QString path = m_dir.filePath(QStringLiteral("kept.txt"));
        QVERIFY(!WriteTextFile(path, {QStringLiteral("the whole earlier text")}));
        const QString fresh = m_dir.filePath(QStringLiteral("fresh.txt"));
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        signal(SIGXFSZ, SIG_IGN);
        rlimit small = before;
        small.rlim_cur = 1000;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const QString text(4000, QLatin1Char('x'));
        const auto replacing = WriteTextFile(path, {text});
        const auto creating = WriteTextFile(fresh, {text});
        setrlimit(RLIMIT_FSIZE, &before);
        QVERIFY(replacing && replacing->contains(path));
        QVERIFY(creating && creating->contains(fresh));
        QCOMPARE(ReadTextFile(path).text, QStringLiteral("the whole earlier text\r\n"));
        QVERIFY(!QFileInfo::exists(fresh));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("kept")).size(), 1);
    }

    void readingWhatIsNotAFileFails()
    {
        QVERIFY(!ReadTextFile(m_dir.filePath(QStringLiteral("missing.txt"))).ok());
        QVERIFY(!ReadTextFile(m_dir.path()).ok());

        // A file over the limit is refused by its size, before it is read.
        const QString path = m_dir.filePath(QStringLiteral("big.txt"));
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize((3 << 20) + 1));
        big.close();
        QVERIFY(ReadTextFile(path, 3 << 20).error.endsWith(
            QStringLiteral("it is 4 MB, and Penrook reads text files of up to 3 MB")));
        QVERIFY(ReadTextFile(path, 4 << 20).ok());
    }

    void fileExistsOnlyForOrdinaryFiles()
    {
        const QString path = m_dir.filePath(QStringLiteral("there.txt"));
        writeBytes(path, "x");
        QVERIFY(FileExists(path));
        QVERIFY(!FileExists(m_dir.path()));
        QVERIFY(!FileExists(m_dir.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(!FileExists(QString()));
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"

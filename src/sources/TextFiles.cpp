#include "sources/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringEncoder>
#include <QStringDecoder>

#include <algorithm>

#include <sys/stat.h>

namespace {

// Windows-1252 at 0x80..0x9F; the rest of the code page equals Latin-1. The five
// unassigned bytes map to the C1 controls of the same value, as Windows does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

// Whether bytes that are not all valid UTF-8 are still meant as UTF-8: a file
// damaged in a few places holds more well-formed multi-byte sequences than
// stretches of bytes that are not; a legacy file's accented letters are nearly
// all stray bytes, since an ASCII letter follows them.
bool mostlyUtf8(const QByteArray &bytes)
{
    qsizetype valid = 0;
    qsizetype invalid = 0;
    bool inInvalid = false;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    auto continuation = [&](qsizetype at, unsigned char low = 0x80, unsigned char high = 0xBF) {
        return at < size && p[at] >= low && p[at] <= high;
    };
    for (qsizetype i = 0; i < size;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            inInvalid = false;
            ++i;
            continue;
        }
        qsizetype length = 0; // of the well-formed sequence starting here; 0 for none
        if (b >= 0xC2 && b <= 0xDF) {
            length = continuation(i + 1) ? 2 : 0;
        } else if (b >= 0xE0 && b <= 0xEF) {
            const unsigned char low = b == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = b == 0xED ? 0x9F : 0xBF; // no surrogates
            length = continuation(i + 1, low, high) && continuation(i + 2) ? 3 : 0;
        } else if (b >= 0xF0 && b <= 0xF4) {
            const unsigned char low = b == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = b == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
            length = continuation(i + 1, low, high) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
        }
        if (length) {
            ++valid;
            inInvalid = false;
            i += length;
        } else {
            invalid += inInvalid ? 0 : 1;
            inInvalid = true;
            ++i;
        }
    }
    return valid > invalid;
}

QString failure(const QString &action, const QString &path, const QString &reason)
{
    return QStringLiteral("Could not %1 %2: %3").arg(action, QDir::toNativeSeparators(path), reason);
}

} // namespace

QString whatIsAt(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("a named pipe (FIFO)");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("no ordinary file");
}

QString notAFile(const QString &what, const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const QString kind = whatIsAt(path);
    const QFileInfo link(path);
    if (link.isSymLink()) {
        const QString target = QDir::toNativeSeparators(link.symLinkTarget());
        return kind.isEmpty() ? QStringLiteral("%1 %2 is a link to %3, which does not exist").arg(what, native, target)
                              : QStringLiteral("%1 %2 is a link to %3, which is %4, not a file")
                                    .arg(what, native, target, kind);
    }
    if (kind.isEmpty())
        return QStringLiteral("%1 %2 does not exist").arg(what, native);
    return QStringLiteral("%1 %2 is %3, not a file").arg(what, native, kind);
}

QString decodeText(const QByteArray &bytes)
{
    // A file that says it is UTF-16 by its byte-order mark is read as such
    // (Notepad's "Unicode"); the mark itself is dropped.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    // The decoder drops a leading byte-order mark itself; a second one is text.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    // A UTF-8 file with a few damaged sequences keeps its text, those bytes
    // becoming U+FFFD; anything else is a legacy file.
    if (utf8.hasError() && !mostlyUtf8(bytes))
        return decodeCp1252(bytes);
    return text;
}

namespace {

// Writes each line and CR LF to an open file, a piece at a time through one
// small buffer: a reprint of a stretched run can hold millions of words, and
// converting it whole would copy it twice more through memory.
bool writeLines(QIODevice &file, const QStringList &lines)
{
    constexpr qsizetype Piece = 16 * 1024;
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray buffer(utf8.requiredSpace(Piece) + 2, Qt::Uninitialized);
    for (const QString &line : lines) {
        qsizetype from = 0;
        bool last = false;
        while (!last) {
            qsizetype to = std::min(from + Piece, line.size());
            if (to < line.size() && line.at(to - 1).isHighSurrogate())
                --to; // a pair stays whole
            last = to == line.size();
            char *end = utf8.appendToBuffer(buffer.data(), QStringView(line).sliced(from, to - from));
            if (last) {
                *end++ = '\r';
                *end++ = '\n';
            }
            const qint64 size = end - buffer.data();
            if (file.write(buffer.constData(), size) != size)
                return false;
            from = to;
        }
    }
    return true;
}

// Why a write failed, in words: the system's, or that the disk is full when the
// system gave none.
QString writeFailureReason(const QFileDevice &file, const QString &path)
{
    const QString reason = file.errorString();
    if (!reason.isEmpty() && reason != QLatin1String("Unknown error"))
        return reason;
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < (qint64(1) << 20))
        return QStringLiteral("the disk is full");
    return QStringLiteral("the system gave no reason");
}

} // namespace

std::optional<QString> WriteTextFile(const QString &path, const QStringList &lines)
{
    const QFileInfo info(path);
    if (info.isDir())
        return failure(QStringLiteral("write"), path, QStringLiteral("it is a folder"));
    // A file the user has made read-only stays as it is, though its folder
    // would let a new file take its place.
    if (info.exists() && !info.isWritable())
        return failure(QStringLiteral("write"), path, QStringLiteral("Permission denied"));
    if (info.exists() && !info.isFile()) {
        // A device or a pipe is written as it is: it cannot be replaced.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !writeLines(file, lines) || !file.flush())
            return failure(QStringLiteral("write"), path, writeFailureReason(file, path));
        return std::nullopt;
    }
    // The text goes to a new file beside the old one, which takes the old one's
    // name only once all of it is on disk: a write cut short leaves the old file.
    // The buffer is flushed and checked before the commit: a commit that has to
    // flush it itself takes a failure there (a full disk) for success.
    QSaveFile file(path);
    file.setDirectWriteFallback(true); // a writable file in a folder that is not
    if (!file.open(QIODevice::WriteOnly) || !writeLines(file, lines) || !file.flush() || !file.commit())
        return failure(QStringLiteral("write"), path, writeFailureReason(file, path));
    return std::nullopt;
}

TextFileContent ReadTextFile(const QString &path, qint64 largest)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {{}, failure(QStringLiteral("read"), path, QStringLiteral("it is a folder"))};
    if (info.size() > largest)
        return {{}, failure(QStringLiteral("read"), path,
                            QStringLiteral("it is %1 MB, and Penrook reads text files of up to %2 MB")
                                .arg((info.size() + (1 << 20) - 1) >> 20)
                                .arg(largest >> 20))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, failure(QStringLiteral("read"), path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, failure(QStringLiteral("read"), path, file.errorString())};
    return {decodeText(bytes), {}};
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

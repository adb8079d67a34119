#pragma once

#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// Whole-file text helpers shared by the reprint runs, source loading and the
// finish page. Files are written as UTF-8 with CR LF after every line.

// Creates `path` or replaces its contents with each line followed by CR LF.
// Returns the failure (naming the path and the reason), or nullopt on success:
// a missing folder, no permission or a full disk is never reported as success.
// The new contents take the name only once they are all written, so a write
// that fails or is cut short leaves the old file (or none) under the name.
std::optional<QString> WriteTextFile(const QString &path, const QStringList &lines);

struct TextFileContent
{
    QString text;  // the whole file, line breaks as stored
    QString error; // empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

// Reads the whole file. A file that starts with a UTF-16 byte-order mark is read
// as UTF-16. Bytes that are valid UTF-8 are read as UTF-8 (a leading byte-order
// mark is dropped), and so are bytes with more well-formed multi-byte UTF-8
// sequences than stretches of invalid bytes, each invalid byte becoming U+FFFD.
// Any other bytes are read as Windows-1252, so a legacy file keeps every
// character. Nothing else is changed. A file of more than `largest`
// bytes is not read.
TextFileContent ReadTextFile(const QString &path, qint64 largest = std::numeric_limits<qint64>::max());

// The largest text the user can open as a source or into the result box. Far
// beyond any article, and small enough that the window takes seconds, not
// minutes, to show it (a gigabyte held it for over two minutes).
constexpr qint64 LargestSourceFile = qint64(64) << 20;

// True when `path` names an existing ordinary file; a folder is not a file.
bool FileExists(const QString &path);

// What stands at `path` when it is no ordinary file: "a folder", "a named pipe
// (FIFO)", "a device"; empty when nothing is there.
QString whatIsAt(const QString &path);

// Why `path`, which is no ordinary file, cannot be read, as a sentence about
// `what` ("The word database") with no full stop: "... does not exist", "... is
// a folder, not a file", "... is a link to ..., which does not exist".
QString notAFile(const QString &what, const QString &path);

// Decodes bytes as ReadTextFile does.
QString decodeText(const QByteArray &bytes);

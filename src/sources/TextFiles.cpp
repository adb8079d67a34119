#include "sources/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

QString failure(const QString &action, const QString &path, const QString &reason)
{
    return QStringLiteral("Could not %1 %2: %3").arg(action, QDir::toNativeSeparators(path), reason);
}

} // namespace

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::optional<QString> WriteTextFile(const QString &path, const QStringList &lines)
{
    if (QFileInfo(path).isDir())
        return failure(QStringLiteral("write"), path, QStringLiteral("it is a folder"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failure(QStringLiteral("write"), path, file.errorString());
    // Each line goes out as it is converted: a reprint of a stretched run can
    // hold millions of words, and gathering the lines first would copy it again.
    for (const QString &line : lines) {
        const QByteArray bytes = line.toUtf8();
        if (file.write(bytes) != bytes.size() || file.write("\r\n", 2) != 2)
            return failure(QStringLiteral("write"), path, file.errorString());
    }
    if (!file.flush())
        return failure(QStringLiteral("write"), path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("write"), path, file.errorString());
    return std::nullopt;
}

TextFileContent ReadTextFile(const QString &path)
{
    if (QFileInfo(path).isDir())
        return {{}, failure(QStringLiteral("read"), path, QStringLiteral("it is a folder"))};
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

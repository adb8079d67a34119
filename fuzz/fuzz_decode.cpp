// The bytes of a source file of unknown encoding.
#include "FuzzCheck.h"
#include "sources/TextFiles.h"

#include <QStringDecoder>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeText(bytes);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // UTF-16: every two bytes after the mark make one unit at most.
        FUZZ_CHECK(text.size() <= (bytes.size() - 2 + 1) / 2);
        return 0;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (utf8.hasError()) {
        // Damaged UTF-8 keeps the decoder's reading, each bad stretch replaced;
        // anything else is Windows-1252: one character per byte, none lost.
        const bool damagedUtf8 = text == asUtf8;
        FUZZ_CHECK(damagedUtf8 || text.size() == bytes.size());
        FUZZ_CHECK(damagedUtf8 || !text.contains(QChar::ReplacementCharacter));
    } else {
        // UTF-8 comes back byte for byte, but for a leading byte-order mark.
        const QByteArray again = text.toUtf8();
        FUZZ_CHECK(again == bytes || QByteArray("\xEF\xBB\xBF") + again == bytes);
    }
    return 0;
}

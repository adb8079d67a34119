// A number typed into the reprint count or the stretch target.
#include "FuzzCheck.h"
#include "engine/Numbers.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<double> value = decimalNumber(text);
    if (value) {
        FUZZ_CHECK(std::isfinite(*value) && std::abs(*value) <= 9007199254740992.0);
        // Only digits, one point, a sign and spaces around make a number.
        for (const QChar c : text.trimmed())
            FUZZ_CHECK(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('+') || c == QLatin1Char('-'));
    }
    return 0;
}

// A text read as spintax: pasted, from a file or from a web page.
#include "FuzzCheck.h"
#include "engine/RandomDraw.h"
#include "engine/Spintax.h"

#include <cstdint>

namespace {

// The same fraction every time, from the input's last byte.
class FixedDraws : public DrawSource
{
public:
    explicit FixedDraws(double fraction) : m_fraction(fraction) {}
    double nextFraction() override { return m_fraction; }

private:
    double m_fraction;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Spintax::Reading reading = Spintax::read(text);
    if (reading.fault) {
        FUZZ_CHECK(reading.fault->line >= 1 && reading.fault->column >= 1 && !reading.fault->what.isEmpty());
        FUZZ_CHECK(reading.fault->line <= text.count(QLatin1Char('\n')) + 1);
    }
    if (reading.spintax) {
        FUZZ_CHECK(reading.spintax->groups() >= 1);
        FUZZ_CHECK(reading.spintax->variations() >= 1 && reading.spintax->variations() <= Spintax::Cap + 1);
        // A variation only leaves characters out: braces, bars, backslashes and the options not drawn.
        FixedDraws draws(size ? data[size - 1] / 256.0 : 0.0);
        FUZZ_CHECK(reading.spintax->pick(draws).size() <= text.size());
    }
    // Escaped, any text is plain again.
    FUZZ_CHECK(Spintax::read(Spintax::escaped(text)).isPlain());
    return 0;
}

#include "engine/RandomDraw.h"

#include <chrono>
#include <cmath>

namespace {

// splitmix64: a fast, well-mixed step.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t clockNow()
{
    return std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

} // namespace

ClockDrawSource::ClockDrawSource() : m_state(mix(clockNow())) {}

double ClockDrawSource::nextFraction()
{
    // Re-seed from the clock, mixed with the state so equal clock readings
    // still move on.
    m_state = mix(m_state ^ clockNow());
    return double(m_state >> 11) * 0x1.0p-53; // 53 random bits: 0 <= r < 1
}

qint64 roundHalfEven(double value)
{
    // The default rounding mode rounds to nearest, a half to the even neighbour.
    return qint64(std::nearbyint(value));
}

qint64 Draw(DrawSource &source, qint64 bound)
{
    return roundHalfEven(source.nextFraction() * double(bound));
}

qint64 DrawAtLeastOne(DrawSource &source, qint64 bound)
{
    const qint64 drawn = Draw(source, bound);
    return drawn == 0 ? 1 : drawn;
}

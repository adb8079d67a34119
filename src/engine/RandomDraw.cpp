#include "engine/RandomDraw.h"

#include "engine/Numbers.h"

#include <chrono>
#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace {

// splitmix64: a fast, well-mixed step.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The finest clock that is cheap to read: a stretched run draws tens of millions
// of times, and a system call's clock (about 20 ns here) took half its time. The
// processor's time-stamp counter ticks at least as often and costs a third of that.
std::uint64_t clockNow()
{
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
#endif
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

qint64 Draw(DrawSource &source, qint64 bound)
{
    return roundHalfEven(source.nextFraction() * double(bound));
}

qint64 DrawAtLeastOne(DrawSource &source, qint64 bound)
{
    const qint64 drawn = Draw(source, bound);
    return drawn == 0 ? 1 : drawn;
}

#pragma once

#include <QtGlobal>

#include <cstdint>

// Where the generator's random fractions come from.
class DrawSource
{
public:
    virtual ~DrawSource() = default;
    // A fraction r with 0 <= r < 1.
    virtual double nextFraction() = 0;
};

// Re-seeds before every fraction from a high-resolution clock mixed with its own
// state, so two fractions taken within one clock tick still differ.
class ClockDrawSource : public DrawSource
{
public:
    ClockDrawSource();
    double nextFraction() override;

private:
    std::uint64_t m_state;
};

// A draw with bound m: a fraction times m, rounded half to even; 0 to m inclusive,
// the two ends half as likely as each value between them.
qint64 Draw(DrawSource &source, qint64 bound);

// The same, with a result of 0 replaced by 1.
qint64 DrawAtLeastOne(DrawSource &source, qint64 bound);

#pragma once

#include <QString>

#include <cmath>
#include <optional>

// The numbers a user types, read and rounded one way for every part of the
// program that needs them.

// `value` rounded to the nearest whole number, a half going to the even
// neighbour. Inline: every random draw rounds.
inline qint64 roundHalfEven(double value)
{
    // The default rounding mode rounds to nearest, a half to the even neighbour.
    return qint64(std::nearbyint(value));
}

// Whether `text` is written as a typed number: digits with at most one decimal
// point, an optional sign, blanks around; whatever its size.
bool looksLikeDecimalNumber(const QString &text);

// The value of a number typed in a digit box, written as above. Nothing for
// anything else (empty, two points, letters), nor for values too large to count
// exactly (beyond 2^53).
std::optional<double> decimalNumber(const QString &text);

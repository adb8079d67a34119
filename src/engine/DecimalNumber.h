#pragma once

#include <QString>

#include <optional>

// The value of a number typed in a digit box: digits with at most one decimal
// point, an optional sign, blanks around. Nothing for anything else (empty, two
// points, letters), nor for values too large to count exactly (beyond 2^53).
std::optional<double> decimalNumber(const QString &text);

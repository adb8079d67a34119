#include "engine/Numbers.h"

#include <QRegularExpression>

#include <cmath>

bool looksLikeDecimalNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    return number.match(text).hasMatch();
}

std::optional<double> decimalNumber(const QString &text)
{
    if (!looksLikeDecimalNumber(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 9007199254740992.0)
        return std::nullopt;
    return value;
}

#include "engine/DecimalNumber.h"

#include <QRegularExpression>

#include <cmath>

std::optional<double> decimalNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 9007199254740992.0)
        return std::nullopt;
    return value;
}

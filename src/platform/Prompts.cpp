#include "platform/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// "*.Txt" -> "*.[Tt][Xx][Tt]": a pattern that ignores letter case.
QString anyCase(const QString &pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

} // namespace

QString qtFileFilter(const QString &barSeparated)
{
    const QStringList parts = barSeparated.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << anyCase(p.trimmed());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        filters << parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

bool mayReplace(Prompts &prompts, const QString &path, const QString &title)
{
    return !QFileInfo::exists(path)
           || prompts.message(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                  .arg(QDir::toNativeSeparators(path)),
                              Prompts::YesNo | Prompts::Exclamation, title)
                  == Prompts::Yes;
}

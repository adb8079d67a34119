#include "platform/ReplaceAll.h"

QString replaceAll(const QString &text, const QString &what, const QString &with, Qt::CaseSensitivity cs)
{
    if (what.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    while (true) {
        const qsizetype found = text.indexOf(what, from, cs);
        if (found < 0)
            break;
        out += QStringView(text).mid(from, found - from);
        out += with;
        from = found + what.size();
    }
    if (from == 0)
        return text;
    out += QStringView(text).mid(from);
    return out;
}

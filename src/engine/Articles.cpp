#include "engine/Articles.h"

bool takesAn(const QString &word)
{
    const QString w = word.toLower();
    if (w.isEmpty())
        return false;
    for (const char *prefix : {"hour", "honest", "honor", "honour", "heir"}) {
        if (w.startsWith(QLatin1String(prefix)))
            return true;
    }
    for (const char *prefix : {"uni", "use", "usa", "usi", "usu", "uti", "ure", "eu", "ewe", "one", "once", "uk"}) {
        if (w.startsWith(QLatin1String(prefix)))
            return false;
    }
    return QStringLiteral("aeiou").contains(w.at(0));
}

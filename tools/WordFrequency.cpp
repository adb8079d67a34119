#include "WordFrequency.h"

#include <QDir>
#include <QFile>

WordFrequency::WordFrequency(const QString &folder)
{
    const QDir dir(folder);
    for (const int size : {10, 20, 35, 40, 50, 55, 60, 70, 80, 95}) {
        for (const char *list : {"english-words", "american-words"}) {
            QFile file(dir.filePath(QStringLiteral("%1.%2").arg(QLatin1String(list)).arg(size)));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> lines = file.readAll().split('\n');
            for (const QByteArray &line : lines) {
                const QString word = QString::fromUtf8(line.trimmed());
                if (!word.isEmpty() && !m_levels.contains(word))
                    m_levels.insert(word, size);
            }
        }
    }
}

int WordFrequency::tier(int level)
{
    if (level <= 20)
        return 0;
    if (level <= 40)
        return 1;
    if (level <= 55)
        return 2;
    if (level <= 70)
        return 3;
    if (level <= 95)
        return 4;
    return 5;
}

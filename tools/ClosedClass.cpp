#include "ClosedClass.h"

#include <QFile>
#include <QRegularExpression>

ClosedClass::ClosedClass(const QString &language)
{
    QFile file(QStringLiteral(":/closed-class/%1.txt").arg(language.left(2).toLower()));
    if (file.open(QIODevice::ReadOnly))
        *this = fromText(QString::fromUtf8(file.readAll()));
}

ClosedClass ClosedClass::fromText(const QString &text)
{
    ClosedClass list;
    static const QRegularExpression space(QStringLiteral("\\s+"));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString words = line.left(line.indexOf(QLatin1Char('#')));
        for (const QString &word : words.split(space, Qt::SkipEmptyParts))
            list.m_words.insert(word.toCaseFolded());
    }
    return list;
}

#include "CuratedSynonyms.h"

#include <QFile>

namespace {

QString keyOf(const QString &word, WordNetSenses::Pos pos)
{
    return QString::number(int(pos)) + QLatin1Char('|') + word.trimmed().toCaseFolded();
}

} // namespace

CuratedSynonyms::CuratedSynonyms(const QString &language)
{
    QFile file(QStringLiteral(":/curated/%1.txt").arg(language.left(2).toLower()));
    if (file.open(QIODevice::ReadOnly))
        *this = fromText(QString::fromUtf8(file.readAll()));
}

CuratedSynonyms CuratedSynonyms::forSentences(const QString &language)
{
    CuratedSynonyms list(language);
    QFile file(QStringLiteral(":/curated/%1-fit.txt").arg(language.left(2).toLower()));
    if (file.open(QIODevice::ReadOnly))
        list.replaceLines(fromText(QString::fromUtf8(file.readAll())));
    return list;
}

void CuratedSynonyms::replaceLines(const CuratedSynonyms &lines)
{
    for (auto it = lines.m_synonyms.cbegin(); it != lines.m_synonyms.cend(); ++it) {
        m_synonyms[it.key()] = it.value();
        m_skipped[it.key()] = lines.m_skipped.value(it.key());
    }
}

CuratedSynonyms CuratedSynonyms::fromText(const QString &text)
{
    CuratedSynonyms list;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 3 && fields.size() != 4)
            continue;
        const std::optional<WordNetSenses::Pos> pos = WordNetSenses::posOf(fields.at(1));
        if (!pos || fields.at(0).trimmed().isEmpty())
            continue;
        QStringList synonyms;
        for (const QString &s : fields.at(2).split(QLatin1Char(','))) {
            const QString synonym = s.simplified();
            if (!synonym.isEmpty() && !synonyms.contains(synonym))
                synonyms.append(synonym);
        }
        const QString key = keyOf(fields.at(0), *pos);
        list.m_synonyms[key] += synonyms;
        if (fields.size() == 4) {
            for (const QString &form : fields.at(3).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                list.m_skipped[key].append(form.toCaseFolded());
        }
    }
    return list;
}

QStringList CuratedSynonyms::of(const QString &word, WordNetSenses::Pos pos) const
{
    return m_synonyms.value(keyOf(word, pos));
}

bool CuratedSynonyms::judged(const QString &word, WordNetSenses::Pos pos) const
{
    return m_synonyms.contains(keyOf(word, pos));
}

bool CuratedSynonyms::skips(const QString &word, WordNetSenses::Pos pos, const QString &form) const
{
    return m_skipped.value(keyOf(word, pos)).contains(form.toCaseFolded());
}

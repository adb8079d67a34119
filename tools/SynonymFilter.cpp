#include "SynonymFilter.h"

#include <QHash>
#include <QSet>

namespace {

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

// "pos\x1fhead\x1fterm": one kept listing, folded.
QString listingKey(const QString &pos, const QString &head, const QString &term)
{
    return fold(pos) + QChar(0x1F) + fold(head) + QChar(0x1F) + fold(term);
}

bool keepsTerm(const ThesaurusTerm &term)
{
    if (term.text.isEmpty() || term.text.contains(QLatin1String("...")) || term.text.contains(QChar(0x2026)))
        return false;
    if (term.tag.isEmpty())
        return true;
    for (const QString &label : term.tag.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (isRelationLabel(label))
            return false;
    }
    return true;
}

bool keepsMeaning(const ThesaurusMeaning &meaning)
{
    return !isRelationLabel(meaning.partOfSpeech);
}

} // namespace

bool isRelationLabel(const QString &label)
{
    static const QSet<QString> relations = {
        // English
        QStringLiteral("generic term"), QStringLiteral("related term"), QStringLiteral("similar term"),
        QStringLiteral("antonym"), QStringLiteral("derived term"),
        // German
        QStringLiteral("oberbegriff"), QStringLiteral("unterbegriff"), QStringLiteral("gegenteil"),
        QStringLiteral("gegenwort"),
        // French, Spanish, Italian
        QStringLiteral("antonyme"), QStringLiteral("antónimo"), QStringLiteral("antonimo"),
        QStringLiteral("contrario"), QStringLiteral("hiperónimo"), QStringLiteral("hipónimo"),
        // Russian
        QStringLiteral("антоним"), QStringLiteral("сходный термин"), QStringLiteral("связанный термин"),
        QStringLiteral("родовой термин"),
    };
    return relations.contains(fold(label.trimmed()));
}

QVector<HeadWord> selectSynonyms(const Thesaurus &thesaurus)
{
    QSet<QString> listings;
    for (const ThesaurusEntry &entry : thesaurus.entries) {
        for (const ThesaurusMeaning &meaning : entry.meanings) {
            if (!keepsMeaning(meaning))
                continue;
            for (const ThesaurusTerm &term : meaning.terms) {
                if (keepsTerm(term))
                    listings.insert(listingKey(meaning.partOfSpeech, entry.head, term.text));
            }
        }
    }

    QVector<HeadWord> heads;
    QHash<QString, qsizetype> headIndex; // folded head -> index in heads
    QVector<QSet<QString>> seen;         // per head, folded synonyms kept
    for (const ThesaurusEntry &entry : thesaurus.entries) {
        const QString head = entry.head.trimmed();
        if (head.isEmpty() || head.contains(QLatin1Char(' ')))
            continue;
        const QString headKey = fold(head);
        qsizetype index = headIndex.value(headKey, -1);
        if (index < 0) {
            index = heads.size();
            headIndex.insert(headKey, index);
            heads.append(HeadWord{head, {}, {}});
            seen.append(QSet<QString>());
        }
        for (const ThesaurusMeaning &meaning : entry.meanings) {
            if (!keepsMeaning(meaning))
                continue;
            for (const ThesaurusTerm &term : meaning.terms) {
                const QString synonymKey = fold(term.text);
                if (!keepsTerm(term) || synonymKey == headKey)
                    continue;
                if (!listings.contains(listingKey(meaning.partOfSpeech, term.text, head)))
                    continue;
                QStringList &ofPos = heads[index].byPartOfSpeech[meaning.partOfSpeech];
                if (!ofPos.contains(term.text))
                    ofPos.append(term.text);
                if (!seen[index].contains(synonymKey)) {
                    seen[index].insert(synonymKey);
                    heads[index].synonyms.append(term.text);
                }
            }
        }
    }
    return heads;
}

void dropClosedClass(QVector<HeadWord> &heads, const ClosedClass &closedClass)
{
    if (closedClass.isEmpty())
        return;
    for (HeadWord &head : heads) {
        if (closedClass.contains(head.word)) {
            head.synonyms.clear();
            head.byPartOfSpeech.clear();
            continue;
        }
        auto closed = [&closedClass](const QString &s) { return closedClass.contains(s); };
        head.synonyms.removeIf(closed);
        for (QStringList &ofPos : head.byPartOfSpeech)
            ofPos.removeIf(closed);
    }
}

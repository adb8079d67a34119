#include "SynonymFilter.h"

#include <QHash>
#include <QSet>

namespace {

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

// "pos\x1fhead\x1fterm": one untagged listing, folded.
QString listingKey(const QString &pos, const QString &head, const QString &term)
{
    return fold(pos) + QChar(0x1F) + fold(head) + QChar(0x1F) + fold(term);
}

} // namespace

QVector<HeadWord> selectSynonyms(const Thesaurus &thesaurus)
{
    QSet<QString> listings;
    for (const ThesaurusEntry &entry : thesaurus.entries) {
        for (const ThesaurusMeaning &meaning : entry.meanings) {
            for (const ThesaurusTerm &term : meaning.terms) {
                if (term.tag.isEmpty())
                    listings.insert(listingKey(meaning.partOfSpeech, entry.head, term.text));
            }
        }
    }

    QVector<HeadWord> heads;
    QHash<QString, qsizetype> headIndex;   // folded head -> index in heads
    QVector<QSet<QString>> seenSynonyms;   // per head, folded synonyms kept
    for (const ThesaurusEntry &entry : thesaurus.entries) {
        const QString head = entry.head.trimmed();
        if (head.isEmpty() || head.contains(QLatin1Char(' ')))
            continue;
        const QString headKey = fold(head);
        auto found = headIndex.constFind(headKey);
        qsizetype index;
        if (found == headIndex.constEnd()) {
            index = heads.size();
            headIndex.insert(headKey, index);
            heads.append(HeadWord{head, {}});
            seenSynonyms.append(QSet<QString>());
        } else {
            index = *found;
        }
        for (const ThesaurusMeaning &meaning : entry.meanings) {
            for (const ThesaurusTerm &term : meaning.terms) {
                if (!term.tag.isEmpty())
                    continue;
                const QString synonymKey = fold(term.text);
                if (synonymKey == headKey || seenSynonyms[index].contains(synonymKey))
                    continue;
                if (!listings.contains(listingKey(meaning.partOfSpeech, term.text, head)))
                    continue;
                seenSynonyms[index].insert(synonymKey);
                heads[index].synonyms.append(term.text);
            }
        }
    }
    return heads;
}

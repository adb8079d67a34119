#include "engine/ExactLookup.h"

#include "engine/RandomDraw.h"
#include "engine/VariationGenerator.h"
#include "engine/WordList.h"

void ExactLookup::beginVariation(const WordList &)
{
    m_spacedMayMatch.reset();
    m_spacedNeverMatch.reset();
}

StoreAnswer<SynonymChooser::Choice> ExactLookup::lookUp(WordList &list, qsizetype position, DrawSource &draws)
{
    const QString &word = list.at(position);
    const StoreAnswer<bool> excluded = m_store.IsExcluded(word);
    if (!excluded)
        return excluded.failure;
    if (*excluded)
        return Choice::Excluded;
    if (list.traits(position) & WordList::Spaced) {
        if (!m_spacedMayMatch)
            m_spacedMayMatch = m_store.headWordsMayHaveSpaces();
        if (!*m_spacedMayMatch)
            return Choice::NoSynonym;
    }
    ResultSet synonyms = m_store.SynonymsOf(word);
    if (!synonyms.isOpen())
        return synonyms.failure();
    if (synonyms.rowCount() == 0)
        return Choice::NoSynonym;
    const qint64 row = DrawAtLeastOne(draws, synonyms.rowCount());
    const QVariant synonym = synonyms.value(row, synonyms.columnIndex(QStringLiteral("synonym")));
    list.setEntry(position, (synonym.isNull() ? QString() : synonym.toString()) + WordList::Marker);
    return Choice::Replaced;
}

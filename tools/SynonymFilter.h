#pragma once

#include "MythesReader.h"

#include <QStringList>
#include <QVector>

struct HeadWord
{
    QString word;
    QStringList synonyms;
};

// Picks the true synonyms out of a thesaurus. A term t is kept as a synonym of
// the head word w when
//  - it carries no tag (no generic, related, similar term, no antonym),
//  - it is not w itself,
//  - and t, as a head word, lists w untagged under the same part of speech.
// Only single words become head words; the synonyms may have several words.
// Head words differing only in letter case are merged, and no synonym is kept
// twice for one head word. The order is that of the thesaurus.
QVector<HeadWord> selectSynonyms(const Thesaurus &thesaurus);

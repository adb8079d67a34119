#pragma once

#include "ClosedClass.h"
#include "MythesReader.h"

#include <QMap>
#include <QStringList>
#include <QVector>

struct HeadWord
{
    QString word;
    QStringList synonyms;                     // every part of speech, each synonym once
    QMap<QString, QStringList> byPartOfSpeech; // the same, by part of speech
};

// Picks the true synonyms out of a thesaurus. A term t is kept as a synonym of
// the head word w when
//  - no label of it names another relation: a broader or narrower term, a
//    related or similar term, an antonym, in the thesaurus's language (labels
//    of register such as "ugs." or "fig." are dropped and the term kept);
//  - its line is not one whose first field names such a relation;
//  - it is not w itself and is no placeholder ("anno (...)");
//  - and t, as a head word, lists w back under the same part of speech.
// Only single words become head words; the synonyms may have several words.
// Head words differing only in letter case are merged, and no synonym is kept
// twice for one head word. The order is that of the thesaurus.
QVector<HeadWord> selectSynonyms(const Thesaurus &thesaurus);

// True when `label` names a relation other than synonymy, in any of the
// thesauri's languages.
bool isRelationLabel(const QString &label);

// Takes every synonym from the head words on `closedClass`, and drops every
// one-word synonym on it.
void dropClosedClass(QVector<HeadWord> &heads, const ClosedClass &closedClass);

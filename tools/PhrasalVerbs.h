#pragma once

#include "Inflector.h"
#include "WordNetSenses.h"

#include <QString>
#include <QVector>

// A verb of two words whose first word has no sense of its own there: "find
// out", "take place". A synonym of "found" alone breaks "found out".
struct PhrasalVerb
{
    QString verb;     // the first word, in each of its forms ("find", "finds", "found", "finding")
    QString particle; // the second word as WordNet has it
};

// WordNet's verbs of two words whose second word is a particle, a noun or an
// adjective ("up", "place", "sure"), in every form of the first word. Those
// ending in a preposition or a pronoun ("belong to", "live in", "make it")
// are left out: the verb keeps its own sense there ("dwell in").
QVector<PhrasalVerb> phrasalVerbs(const WordNetSenses &senses, const Inflector &inflector);

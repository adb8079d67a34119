#pragma once

#include "engine/WordClass.h"

#include <QString>
#include <QStringList>

// The synonyms that fit a word where its sentence uses it in one word class,
// each in the word's own form ("requirements" for the plural noun "needs"),
// best first.
struct ClassSynonyms
{
    QString word; // as the text has it
    WordClass wordClass = WordClass::None;
    QStringList synonyms;
    // In a list offered to choose from: how many of the first synonyms are
    // the likelier ones, offered first.
    qsizetype likely = 0;
};

#pragma once

#include <QString>

// Whether "an" rather than "a" goes before `word`, by its spelling: a vowel
// letter, less the vowels read as "you" or "won", and with the silent h's.
bool takesAn(const QString &word);

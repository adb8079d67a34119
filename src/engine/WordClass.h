#pragma once

#include <QString>

#include <array>

// The part of speech of a word in its sentence, with the form it takes there,
// as far as choosing a synonym needs it: a synonym of the same class, in the
// same form, fits the word's place. Everything else (names, pronouns,
// determiners, numbers, punctuation) is None and is never replaced.
enum class WordClass : quint8 {
    None,
    Noun,                 // singular or mass: "house"
    NounPlural,           // "houses"
    Verb,                 // base form or present tense other than the third person: "need"
    VerbThird,            // "needs"
    VerbGerund,           // "needing"
    VerbPast,             // past tense or participle: "needed"
    Adjective,            // "quick"
    AdjectiveComparative, // "quicker"
    AdjectiveSuperlative, // "quickest"
    Adverb,               // "quickly"
};

inline bool isNoun(WordClass c)
{
    return c == WordClass::Noun || c == WordClass::NounPlural;
}

inline bool isVerb(WordClass c)
{
    return c == WordClass::Verb || c == WordClass::VerbThird || c == WordClass::VerbGerund || c == WordClass::VerbPast;
}

// The short code each class has in the word database ("n", "ns", "v", "vz",
// "vg", "vd", "a", "ar", "as", "r"); the empty text for None.
inline QString wordClassCode(WordClass c)
{
    static const std::array<QString, 11> codes = {
        QString(),          QStringLiteral("n"),  QStringLiteral("ns"), QStringLiteral("v"),
        QStringLiteral("vz"), QStringLiteral("vg"), QStringLiteral("vd"), QStringLiteral("a"),
        QStringLiteral("ar"), QStringLiteral("as"), QStringLiteral("r"),
    };
    return codes[size_t(c)];
}

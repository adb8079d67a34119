#pragma once

#include <QString>

#include <array>
#include <memory>
#include <optional>

class Spintax;

// One keyword row: a keyword to change into its replacement, or to keep as it is.
struct KeywordRule
{
    QString keyword;     // empty: the row does nothing
    QString replacement; // in keep mode it mirrors the keyword
    bool keep = false;
};

// What one rewrite run works by, read from the window's controls once, when the
// run starts; the defaults are those of a freshly started program.
struct RewriteSettings
{
    static constexpr int KeywordRows = 5;

    std::array<KeywordRule, KeywordRows> keywordRules;
    int legibility = 80;                  // 5 to 80: the share of words, in per cent, left unchanged
    bool fitToSentence = false;           // choose synonyms that fit each word's sentence
    std::optional<double> targetWordCount; // words the new content should hold; nothing: no stretch
    qint64 reprintCount = 1;
    QString reprintCountText = QStringLiteral("1"); // as typed, for View Next's "n Of m"
    bool saveToFiles = true;
    QString outputFolder;                 // as typed; saved copies go here
    bool displayOnScreen = true;
    // The text as spintax: each variation is made from a fresh pick of it,
    // not from the one before. Null for every other text.
    std::shared_ptr<const Spintax> spintax;
};

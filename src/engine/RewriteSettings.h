#pragma once

#include <QString>

#include <array>

// One keyword row: a keyword to change into its replacement, or to keep as it is.
struct KeywordRule
{
    QString keyword;     // empty: the row does nothing
    QString replacement; // in keep mode it mirrors the keyword
    bool keep = false;
};

enum class SourceKind { Paste, TextFile, WebPage };

// Everything the wizard gathers, as its controls hold it at the moment of
// reading. The window fills a fresh record each time one is needed; the
// defaults here are those of a freshly started program.
struct RewriteSettings
{
    static constexpr int KeywordRows = 5;

    SourceKind sourceKind = SourceKind::Paste;
    QString pastedText;
    QString sourceFilePath;
    QString pageAddress = QStringLiteral("http://");
    QString originalText = QStringLiteral("Preview");
    std::array<KeywordRule, KeywordRows> keywordRules;
    int legibility = 80;             // 5 to 80: the share of words, in per cent, left unchanged
    QString targetWordCount;         // as typed; a number of words, or anything else for no stretch
    QString reprintCount = QStringLiteral("1");
    bool saveToFiles = true;
    QString outputFolder;
    bool displayOnScreen = true;
};

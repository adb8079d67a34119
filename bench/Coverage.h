#pragma once

// The share of a text's words of four letters or more that the word database
// can replace, looked up exactly as the generator looks them up (the entry as
// it stands, punctuation and all). Shared by coverage_bench and quality_bench.

#include "engine/WordList.h"
#include "sources/TextFiles.h"
#include "startup/WordStore.h"

#include <optional>

struct Coverage
{
    qsizetype words = 0; // of four characters or more
    qsizetype replaceable = 0;
    double share() const { return words ? 100.0 * double(replaceable) / double(words) : 0; }
    void add(const Coverage &other)
    {
        words += other.words;
        replaceable += other.replaceable;
    }
};

inline bool isReplaceable(WordStore &store, const QString &word)
{
    return store.IsExcluded(word) == std::optional<bool>(false) && store.SynonymsOf(word).rowCount() > 0;
}

inline bool countsForCoverage(const QString &entry)
{
    return entry != WordList::LineBreak && entry.size() >= 4;
}

inline Coverage coverageOf(WordStore &store, const WordList &list)
{
    Coverage coverage;
    for (const QString &entry : list.entries()) {
        if (!countsForCoverage(entry))
            continue;
        ++coverage.words;
        coverage.replaceable += isReplaceable(store, entry);
    }
    return coverage;
}

// The text of a file with CR LF line breaks, as the preview hands it on; nullopt
// (after a message on standard error) when it cannot be read.
inline std::optional<QString> readProse(const QString &path)
{
    const TextFileContent content = ReadTextFile(path);
    if (!content.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(content.error));
        return std::nullopt;
    }
    QString text = content.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

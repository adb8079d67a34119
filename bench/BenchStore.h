#pragma once

// Opening the word database for a benchmark, its failure printed.

#include "startup/WordStore.h"

#include <cstdio>

// True, after printing why, when `folder`/words.mdb cannot be opened.
inline bool failsToOpen(WordStore &store, const QString &folder)
{
    const auto failure = store.OpenWordStore(folder);
    if (failure)
        std::fprintf(stderr, "store: %s\n", qPrintable(failure->description));
    return failure.has_value();
}

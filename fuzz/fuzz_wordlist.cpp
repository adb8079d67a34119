// A pasted or loaded text cut into the generator's word list.
#include "FuzzCheck.h"
#include "engine/WordList.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    WordList list;
    const qsizetype words = list.FillWordList(text);
    qsizetype counted = 0;
    for (qsizetype i = 0; i < list.count(); ++i) {
        const QString &entry = list.at(i);
        if (entry == WordList::LineBreak)
            continue;
        ++counted;
        FUZZ_CHECK(!entry.isEmpty() && !entry.contains(QLatin1Char(' ')) && !entry.contains(WordList::LineBreak));
        FUZZ_CHECK(list.traits(i) == WordList::traitsOf(entry));
    }
    FUZZ_CHECK(counted == words && list.originalWordCount() == words);
    FUZZ_CHECK(list.entry(list.count()).isEmpty() && list.entry(-1).isEmpty());
    // What a stretch does to the list: words added to an entry, one set past the end.
    if (list.count() > 0) {
        list.appendWord(0, QStringLiteral("more###"));
        list.setEntry(list.count() + 5, QStringLiteral("last"));
        FUZZ_CHECK(list.traits(list.count() - 1) == WordList::traitsOf(QStringLiteral("last")));
    }
    return 0;
}

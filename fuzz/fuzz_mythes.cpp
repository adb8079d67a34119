// A thesaurus file for the converter.
#include "FuzzCheck.h"
#include "MythesReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Thesaurus thesaurus = parseMythes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!thesaurus.error.isEmpty())
        return 0;
    for (const ThesaurusEntry &entry : thesaurus.entries) {
        FUZZ_CHECK(!entry.head.isEmpty());
        for (const ThesaurusMeaning &meaning : entry.meanings) {
            for (const ThesaurusTerm &term : meaning.terms)
                FUZZ_CHECK(term.text == term.text.trimmed());
        }
    }
    return 0;
}

#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one is a crash for libFuzzer to keep.
#define FUZZ_CHECK(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a fuzz target. A broken one aborts, so that libFuzzer
// keeps the input as a crash and stops.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fuzzCheckFailed(#condition, __FILE__, __LINE__);                                                 \
    } while (0)

[[noreturn]] inline void fuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", condition, file, line);
    std::abort();
}

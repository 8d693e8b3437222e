#pragma once
// A property of a fuzz target that does not hold: the line is named before
// the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

inline void Check(bool ok, int line = __builtin_LINE()) {
    if (ok) return;
    std::fprintf(stderr, "property at line %d does not hold\n", line);
    std::abort();
}

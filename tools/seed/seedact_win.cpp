// Writes a typical ACT! configuration into the current user's registry.
#include <cstdio>
#include <exception>

#include "seed/ActConfigSeed_win.h"

int wmain() {
    try {
        seed::SeedTypicalActConfiguration();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seedact: %s\n", e.what());
        return 1;
    }
}

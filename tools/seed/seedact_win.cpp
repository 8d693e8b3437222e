// Writes a typical ACT! configuration into the current user's registry, or
// with "--command-file PATH NAME" a command file for an add-on.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "seed/ActConfigSeed_win.h"

int wmain(int argc, wchar_t** argv) {
    try {
        if (argc == 4 && std::wstring(argv[1]) == L"--command-file") {
            return seed::WriteCommandFile(argv[2], argv[3]) ? 0 : 1;
        }
        seed::SeedTypicalActConfiguration();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seedact: %s\n", e.what());
        return 1;
    }
}

#pragma once
// System DLLs that a program needs for only part of its work (the common
// dialogs, the shell) are loaded the first time one of their functions is
// called, from the system folder only, and kept until the process ends: a
// start that never uses them does not pay for loading them.
#include <windows.h>

#include <string>

namespace platform {

// From here on, every DLL the process loads by name (its own loads, and
// those the system's DLLs make for it: the themes, the version resource
// reader, the shell's helpers) comes from the system folder, never from
// the program's folder or the current one, where anyone who can write
// there could put a DLL of that name. The very first thing each program
// does. Where the system lacks the call, at least the current folder is
// left out.
void RestrictDllSearch();

// The module, loaded once per process; null when the system lacks it.
HMODULE SystemLibrary(const wchar_t* name);

// The address of `entry` in the system DLL `library`; raises AppError when
// the DLL or the entry is missing.
FARPROC SystemEntryAddress(const wchar_t* library, const char* entry);

template <class F>
F SystemEntry(const wchar_t* library, const char* entry) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(SystemEntryAddress(library, entry)));
}

}  // namespace platform

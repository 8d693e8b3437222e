#include "platform/SystemLibrary_win.h"

#include <objbase.h>

#include <mutex>
#include <utility>
#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/Handles_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

struct Loaded {
    std::wstring name;
    UniqueModule module;
};

std::mutex& Guard() {
    static std::mutex guard;
    return guard;
}

std::vector<Loaded>& Modules() {
    static std::vector<Loaded> modules;
    return modules;
}

// A DLL of the same name beside the program must never be taken instead.
std::wstring InSystemFolder(const wchar_t* name) {
    std::wstring folder(MAX_PATH, L'\0');
    const UINT n = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n == 0 || n >= folder.size()) return name;
    folder.resize(n);
    return folder + L"\\" + name;
}

}  // namespace

void RestrictDllSearch() {
    SetDllDirectoryW(L"");
    using SetDefault = BOOL(WINAPI*)(DWORD);
    // Looked up: Windows 7 without its loader update lacks it, and an
    // import would keep the program from starting there.
    if (const auto set = reinterpret_cast<SetDefault>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")))) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

HMODULE SystemLibrary(const wchar_t* name) {
    const std::lock_guard<std::mutex> lock(Guard());
    for (const Loaded& loaded : Modules()) {
        if (_wcsicmp(loaded.name.c_str(), name) == 0) return loaded.module.get();
    }
    UniqueModule module(LoadLibraryW(InSystemFolder(name).c_str()));
    if (!module) return nullptr;
    HMODULE handle = module.get();
    Modules().push_back({name, std::move(module)});
    return handle;
}

FARPROC SystemEntryAddress(const wchar_t* library, const char* entry) {
    HMODULE module = SystemLibrary(library);
    FARPROC address = module != nullptr ? GetProcAddress(module, entry) : nullptr;
    if (address == nullptr) {
        Raise(ErrorNumber::FileNotFound,
              std::string(texts::kSystemLibraryMissing) + Narrow(library) + " (" + entry + ")");
    }
    return address;
}

void FreeTaskMemory(void* memory) noexcept {
    if (memory == nullptr) return;
    try {
        SystemEntry<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree")(memory);
    } catch (...) {
        // without ole32 nothing could have handed the memory out
    }
}

}  // namespace platform

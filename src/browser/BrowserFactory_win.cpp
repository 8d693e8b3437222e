#include "browser/BrowserFactory_win.h"

#include <windows.h>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "browser/ChromiumStart_win.h"
#include "platform/Handles_win.h"
#include "browser/IeBrowser.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Expanded(const std::wstring& text) {
    wchar_t buffer[2048] = {};
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), buffer, 2048);
    if (length == 0 || length > 2048) return {};
    return buffer;
}

std::wstring Unquoted(std::wstring path) {
    while (!path.empty() && (path.back() == L' ' || path.back() == L'\0')) path.pop_back();
    if (path.size() >= 2 && path.front() == L'"') {
        const std::size_t close = path.find(L'"', 1);
        path = path.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    }
    return path;
}

// The default value of the program's "App Paths" key, per user first, in
// both registry views.
std::wstring FromAppPaths(const std::wstring& exeName) {
    const std::wstring key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + exeName;
    const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    const REGSAM views[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    for (HKEY root : roots) {
        for (REGSAM view : views) {
            UniqueHkey opened;
            if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, opened.put()) != ERROR_SUCCESS) continue;
            wchar_t buffer[2048] = {};
            DWORD size = sizeof buffer - sizeof(wchar_t);
            DWORD type = 0;
            if (RegQueryValueExW(opened.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
                    ERROR_SUCCESS ||
                (type != REG_SZ && type != REG_EXPAND_SZ)) {
                continue;
            }
            std::wstring path(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
            if (type == REG_EXPAND_SZ) path = Expanded(path);
            path = Unquoted(path);
            if (!path.empty() && IsFile(path)) return path;
        }
    }
    return {};
}

std::wstring Lower(std::string_view option) { return Widen(ascii::Lower(ascii::TrimBlanks(option))); }

[[noreturn]] void RaiseNotFound(std::string_view name) {
    Raise(ErrorNumber::FileNotFound,
          std::string(texts::kBrowserNotFound) + std::string(name) + std::string(texts::kBrowserNotFoundEnd));
}

}  // namespace

std::wstring FindBrowserProgram(const std::wstring& exeName, const std::wstring& vendorFolder) {
    if (std::wstring path = FromAppPaths(exeName); !path.empty()) return path;
    const wchar_t* folders[] = {L"%ProgramFiles(x86)%", L"%ProgramW6432%", L"%ProgramFiles%", L"%LOCALAPPDATA%"};
    for (const wchar_t* folder : folders) {
        const std::wstring base = Expanded(folder);
        if (base.empty() || base.front() == L'%') continue;
        const std::wstring path = base + L"\\" + vendorFolder + L"\\Application\\" + exeName;
        if (IsFile(path)) return path;
    }
    return {};
}

BrowserProgram ChooseBrowser(std::string_view option) {
    const std::wstring choice = Lower(option);
    const auto edge = [] { return FindBrowserProgram(L"msedge.exe", L"Microsoft\\Edge"); };
    const auto chrome = [] { return FindBrowserProgram(L"chrome.exe", L"Google\\Chrome"); };
    if (choice == L"ie") return {true, {}};
    if (choice == L"edge") {
        if (std::wstring path = edge(); !path.empty()) return {false, path};
        RaiseNotFound(texts::kBrowserEdge);
    }
    if (choice == L"chrome") {
        if (std::wstring path = chrome(); !path.empty()) return {false, path};
        RaiseNotFound(texts::kBrowserChrome);
    }
    // The default browser cannot be driven; a page with a form to fill
    // gets the choice made without the option.
    if (choice.empty() || choice == L"standard") {
        if (std::wstring path = edge(); !path.empty()) return {false, path};
        if (std::wstring path = chrome(); !path.empty()) return {false, path};
        return {true, {}};
    }
    const std::wstring path = Unquoted(Widen(ascii::TrimBlanks(option)));
    if (!IsFile(path)) {
        Raise(ErrorNumber::FileNotFound, std::string(texts::kBrowserProgramMissing) + Narrow(path));
    }
    return {false, path};
}

BrowserPtr WinBrowserFactory::Create(const BrowserOptions& options) {
    const BrowserProgram program = ChooseBrowser(options.browser);
    if (program.internetExplorer) return std::make_shared<IeBrowser>(m_Automation);
    return OpenChromium(program.path, options.arguments, options.firstUrl);
}

}  // namespace platform

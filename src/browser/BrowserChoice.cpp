#include "browser/BrowserChoice.h"

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"

namespace platform {
namespace {

constexpr std::string_view kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

constexpr KnownBrowser kKnownBrowsers[] = {
    {"edge", "msedge.exe", "Microsoft\\Edge", texts::kBrowserEdge, true},
    {"chrome", "chrome.exe", "Google\\Chrome", texts::kBrowserChrome, true},
};

std::string Unquoted(std::string_view path) {
    while (!path.empty() && (path.back() == ' ' || path.back() == '\0')) path.remove_suffix(1);
    if (path.size() >= 2 && path.front() == '"') {
        const std::size_t close = path.find('"', 1);
        path = path.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    }
    return std::string(path);
}

[[noreturn]] void RaiseNotFound(std::string_view name) {
    Raise(ErrorNumber::FileNotFound,
          std::string(texts::kBrowserNotFound) + std::string(name) + std::string(texts::kBrowserNotFoundEnd));
}

}  // namespace

std::span<const KnownBrowser> KnownBrowsers() { return kKnownBrowsers; }

bool NamesChromiumFamily(std::span<const std::string> versionTexts) {
    static constexpr std::string_view kFamily[] = {"microsoft edge", "google chrome", "chromium",
                                                   "brave",          "vivaldi",       "opera"};
    // As words: "Operating System" names no Opera.
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
    for (const std::string& text : versionTexts) {
        const std::string lower = ascii::Lower(text);
        for (std::string_view name : kFamily) {
            for (std::size_t at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
                const std::size_t end = at + name.size();
                if ((at == 0 || !letter(lower[at - 1])) && (end == lower.size() || !letter(lower[end]))) return true;
            }
        }
    }
    return false;
}

bool BrowserChoice::IsFile(const std::string& path) {
    const auto attributes = m_Services.files.Attributes(path);
    return attributes && (*attributes & kAttributeDirectory) == 0;
}

// The default value of the program's "App Paths" key, per user first, in
// both registry views. Read whole: a program below a user's folder may
// carry characters that the code page lacks.
std::string BrowserChoice::FromAppPaths(std::string_view exeName) {
    const std::string key = std::string(kAppPaths) + std::string(exeName);
    for (const RegKey root : {kHKeyCurrentUser, kHKeyLocalMachine}) {
        for (const std::uint32_t view : {kKeyWow64_64Key, kKeyWow64_32Key}) {
            RegKey opened = 0;
            if (m_Services.registry.OpenKey(root, key, kKeyQueryValue | view, opened) != kErrorSuccess) continue;
            const RegistryKey owned = OwnKey(m_Services.registry, opened);
            std::uint32_t type = kRegNone;
            std::string text;
            if (m_Services.registry.QueryText(opened, "", type, text) != kErrorSuccess ||
                (type != kRegSz && type != kRegExpandSz)) {
                continue;
            }
            if (type == kRegExpandSz) text = m_Services.environment.Expand(text);
            const std::string path = Unquoted(text);
            if (!path.empty() && IsFile(path)) return path;
        }
    }
    return {};
}

std::string BrowserChoice::FindProgram(std::string_view exeName, std::string_view vendorFolder) {
    if (std::string path = FromAppPaths(exeName); !path.empty()) return path;
    for (const char* folder : {"%ProgramFiles(x86)%", "%ProgramW6432%", "%ProgramFiles%", "%LOCALAPPDATA%"}) {
        const std::string base = m_Services.environment.Expand(folder);
        if (base.empty() || base.front() == '%') continue;
        const std::string path = base + "\\" + std::string(vendorFolder) + "\\Application\\" + std::string(exeName);
        if (IsFile(path)) return path;
    }
    return {};
}

bool BrowserChoice::InternetExplorerThere() {
    RegKey opened = 0;
    if (m_Services.registry.OpenKey(kHKeyClassesRoot, "InternetExplorer.Application\\CLSID", kKeyQueryValue, opened) !=
        kErrorSuccess) {
        return false;
    }
    const RegistryKey owned = OwnKey(m_Services.registry, opened);
    return true;
}

BrowserProgram BrowserChoice::Choose(std::string_view option) {
    const std::string choice = ascii::Lower(ascii::TrimBlanks(option));
    if (choice == "ie") return {true, {}};
    for (const KnownBrowser& known : kKnownBrowsers) {
        if (choice != known.option) continue;
        if (std::string path = FindProgram(known.exeName, known.vendorFolder); !path.empty()) return {false, path};
        RaiseNotFound(known.name);
    }
    // The default browser cannot be driven; a page with a form to fill
    // gets the choice made without the option.
    if (choice.empty() || choice == "standard") {
        for (const KnownBrowser& known : kKnownBrowsers) {
            if (!known.automatic) continue;
            if (std::string path = FindProgram(known.exeName, known.vendorFolder); !path.empty()) return {false, path};
        }
        return {true, {}};
    }
    const std::string path = Unquoted(ascii::TrimBlanks(option));
    if (!IsFile(path)) Raise(ErrorNumber::FileNotFound, std::string(texts::kBrowserProgramMissing) + path);
    return {false, path};
}

}  // namespace platform

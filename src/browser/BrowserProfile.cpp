#include "browser/BrowserProfile.h"

#include <array>

#include "base/AppError.h"

namespace platform {
namespace {

constexpr std::string_view kPortFile = "DevToolsActivePort";
// The file holds two short lines; what reads more is no port file.
constexpr std::size_t kPortFileLimit = 64 * 1024;

}  // namespace

std::string BrowserProfileFolder(IShellFolders& shellFolders, IEnvironment& environment) {
    std::string folder;
    try {
        folder = shellFolders.GetSpecialFolder(kFolderLocalAppData, 0);
    } catch (const AppError&) {
        // no shell: the temporary folder below
    }
    if (folder.empty()) folder = environment.TemporaryFolder();
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + "\\Rovandel2\\Browserprofil";
}

void MakeBrowserProfileFolder(IFileSystem& files, std::string_view profileFolder) {
    try {
        files.CreateFolders(profileFolder);
    } catch (const AppError&) {
        // the browser's start says what is wrong with the folder
    }
}

std::optional<DevToolsPort> ParseDevToolsPort(std::string_view content) {
    const std::size_t newline = content.find('\n');
    if (newline == std::string_view::npos) return std::nullopt;
    unsigned long number = 0;
    for (std::size_t i = 0; i < newline; ++i) {
        if (content[i] == '\r') break;
        if (content[i] < '0' || content[i] > '9') return std::nullopt;
        number = number * 10 + static_cast<unsigned long>(content[i] - '0');
        if (number > 65535) return std::nullopt;
    }
    std::string_view path = content.substr(newline + 1);
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r' || path.back() == ' ')) path.remove_suffix(1);
    if (number == 0 || !path.starts_with("/devtools/browser/")) return std::nullopt;
    return DevToolsPort{static_cast<std::uint16_t>(number), std::string(path)};
}

std::optional<DevToolsPort> ReadDevToolsPort(IFileSystem& files, std::string_view profileFolder) {
    std::string content;
    try {
        const auto file = files.OpenRead(JoinPath(profileFolder, kPortFile));
        std::array<std::uint8_t, 1024> buffer{};
        while (content.size() < kPortFileLimit) {
            const std::size_t got = file->Read(buffer);
            if (got == 0) break;
            content.append(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
        }
    } catch (const AppError&) {
        return std::nullopt;  // not there yet, or held by its writer
    }
    return ParseDevToolsPort(content);
}

void ForgetDevToolsPort(IFileSystem& files, std::string_view profileFolder) {
    try {
        files.RemoveFile(JoinPath(profileFolder, kPortFile));
    } catch (const AppError&) {
        // not there, which is the usual case
    }
}

}  // namespace platform

#include "manager/modProgramPath.h"

#include <algorithm>

#include "base/Ascii.h"

namespace modProgramPath {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':'; }

bool HasExtension(std::string_view path) { return FileName(path).find('.') != std::string_view::npos; }

// "http:", "mailto:": a scheme, which a drive letter ("C:") is not.
bool IsAddress(std::string_view word) {
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsLetter(word[0])) return false;
    return std::all_of(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return IsLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
}

// A word that begins the arguments, never part of a program's path: a
// switch, or a path of its own.
bool BeginsArguments(std::string_view word) {
    return word.empty() || word[0] == '/' || word[0] == '-' || word[0] == '"' || HasDrive(word);
}

// The ways the line's start can be read as its program, shortest first: an
// unquoted path with blanks is tried word by word up to the first that
// ends in a name with an extension; without one, the first word alone.
std::vector<Program> Candidates(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && IsBlank(line[begin])) ++begin;
    if (begin == line.size()) return {};
    if (line[begin] == '"') {
        const std::size_t close = line.find('"', begin + 1);
        const std::size_t stop = close == std::string_view::npos ? line.size() : close;
        Program program{begin, close == std::string_view::npos ? line.size() : close + 1,
                        std::string(line.substr(begin + 1, stop - begin - 1)), true};
        if (ascii::TrimBlanks(program.path).empty() || IsAddress(program.path)) return {};
        return {program};
    }
    std::vector<Program> tried;
    std::size_t end = begin;
    while (true) {
        while (end < line.size() && !IsBlank(line[end])) ++end;
        tried.push_back({begin, end, std::string(line.substr(begin, end - begin)), false});
        if (tried.size() == 1 && IsAddress(tried.front().path)) return {};
        if (HasExtension(tried.back().path)) return tried;
        std::size_t next = end;
        while (next < line.size() && IsBlank(line[next])) ++next;
        std::size_t wordEnd = next;
        while (wordEnd < line.size() && !IsBlank(line[wordEnd])) ++wordEnd;
        if (next == line.size() || BeginsArguments(line.substr(next, wordEnd - next))) break;
        end = next;
    }
    return {tried.front()};
}

std::string Lower(std::string_view text) { return ascii::Lower(text); }

}  // namespace

bool IsRooted(std::string_view path) { return HasDrive(path) || (!path.empty() && IsSeparator(path[0])); }

std::optional<Program> Find(std::string_view line) {
    std::vector<Program> candidates = Candidates(line);
    if (candidates.empty()) return std::nullopt;
    return std::move(candidates.back());
}

std::string_view FileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view FolderOf(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

bool SamePath(std::string_view a, std::string_view b) {
    const auto normal = [](std::string_view path) {
        std::string text = Lower(path);
        std::replace(text.begin(), text.end(), '/', '\\');
        while (text.size() > 1 && text.back() == '\\') text.pop_back();
        return text;
    };
    return normal(a) == normal(b);
}

std::string Replaced(std::string_view line, const Program& program, std::string_view path) {
    const bool quote = program.quoted || std::any_of(path.begin(), path.end(), IsBlank);
    std::string text(line.substr(0, program.begin));
    if (quote) text += '"';
    text += path;
    if (quote) text += '"';
    text += line.substr(std::min(program.end, line.size()));
    return text;
}

Checker::Checker(platform::IFileSystem& files, platform::IEnvironment& environment, Registered registered)
    : m_Files(files), m_Environment(environment), m_Registered(std::move(registered)) {}

bool Checker::Missing(std::string_view line, std::string_view start) {
    const std::vector<Program> candidates = Candidates(line);
    if (candidates.empty()) return false;
    for (const Program& candidate : candidates) {
        const std::optional<bool> found = Found(candidate.path, start);
        if (!found || *found) return false;
    }
    return true;
}

std::optional<bool> Checker::Found(std::string_view path, std::string_view start) {
    // Expanded only where there is a variable: most lines have none, and a fill asks for thousands.
    const auto expand = [this](std::string_view text) {
        std::string expanded = text.find('%') == std::string_view::npos ? std::string() : m_Environment.Expand(text);
        return expanded.empty() ? std::string(text) : expanded;
    };
    const std::string expanded = expand(path);
    const std::string folder = expand(start);
    // As CreateProcess does, a name without an extension is also tried as a program.
    const auto there = [this, exe = !HasExtension(expanded)](const std::string& candidate) {
        return Exists(candidate) || (exe && Exists(candidate + ".exe"));
    };
    // A variable this PC does not set (a program folder of the old one) leads nowhere.
    if (expanded.front() == '%' && expanded.find('%', 1) != std::string::npos) return false;
    if (IsRooted(expanded)) return there(expanded);
    if (!folder.empty() && there(platform::JoinPath(folder, expanded))) return true;
    if (expanded.find_first_of("\\/") != std::string::npos) {
        // Beside no start folder, a relative path is ACT!'s to resolve: we cannot tell.
        if (folder.empty()) return std::nullopt;
        return false;
    }
    const std::vector<std::string>& folders = SearchFolders();
    return std::any_of(folders.begin(), folders.end(),
                       [&](const std::string& searched) { return there(platform::JoinPath(searched, expanded)); }) ||
           IsRegistered(HasExtension(expanded) ? expanded : expanded + ".exe");
}

bool Checker::IsRegistered(const std::string& name) {
    if (!m_Registered) return false;
    // Kept beside the paths, under a name no path has.
    const std::string key = "?" + Lower(name);
    if (const auto seen = m_Seen.find(key); seen != m_Seen.end()) return seen->second;
    bool found = false;
    if (const std::optional<std::string> registered = m_Registered(name)) {
        std::string path(ascii::TrimBlanks(*registered));
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
        const std::string expanded = m_Environment.Expand(path);
        found = !path.empty() && Exists(expanded.empty() ? path : expanded);
    }
    m_Seen[key] = found;
    return found;
}

bool Checker::Exists(const std::string& path) {
    const auto [it, inserted] = m_Seen.try_emplace(Lower(path), false);
    if (inserted) it->second = m_Files.Exists(path);
    return it->second;
}

const std::vector<std::string>& Checker::SearchFolders() {
    if (m_SearchFolders) return *m_SearchFolders;
    std::vector<std::string> folders;
    const auto expandedOrNothing = [this](std::string_view reference) {
        std::string value = m_Environment.Expand(reference);
        return value == reference ? std::string() : value;
    };
    std::string windows = expandedOrNothing("%SystemRoot%");
    if (windows.empty()) windows = expandedOrNothing("%windir%");
    if (!windows.empty()) {
        folders.push_back(platform::JoinPath(windows, "System32"));
        folders.push_back(windows);
    }
    const std::string path = expandedOrNothing("%PATH%");
    for (std::size_t from = 0; from <= path.size();) {
        std::size_t semicolon = path.find(';', from);
        if (semicolon == std::string::npos) semicolon = path.size();
        std::string entry(ascii::TrimBlanks(std::string_view(path).substr(from, semicolon - from)));
        if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') entry = entry.substr(1, entry.size() - 2);
        if (!entry.empty()) folders.push_back(entry);
        from = semicolon + 1;
    }
    m_SearchFolders = std::move(folders);
    return *m_SearchFolders;
}

}  // namespace modProgramPath

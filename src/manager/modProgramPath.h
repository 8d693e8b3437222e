#pragma once
// The program a user-defined command calls: where it stands in the command
// line, whether it is there, and the line pointed at another folder. After a
// move to a new PC or another drive, commands still name programs where
// they no longer are, and their toolbar buttons do nothing; the list window
// marks them and mends them with this.
//
// A command line is read as Windows reads one: the program is its first
// word, in quotes or not. An unquoted path with blanks ("C:\Program
// Files\x\y.exe /a") is taken as far as the first word that ends in a name
// with an extension, as CreateProcess tries the words in turn. The texts
// may be UTF-8 or ACT!'s code page alike: only ASCII characters delimit.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Environment.h"
#include "platform/FileSystem.h"

namespace modProgramPath {

// The program's place in a command line.
struct Program {
    std::size_t begin = 0;  // where it starts in the line, its quote included
    std::size_t end = 0;  // behind it, its closing quote included
    std::string path;  // as written, without quotes
    bool quoted = false;
};

// The program of `line`; nothing for a line that names no file: empty, or
// an address ("http://…", "mailto:…": a scheme of two letters or more).
std::optional<Program> Find(std::string_view line);

// "C:\…", "\\server\…" and "\…": a path that needs no folder to be found from.
bool IsRooted(std::string_view path);
// The last part of a path, and what stands before it (without the separator).
std::string_view FileName(std::string_view path);
std::string_view FolderOf(std::string_view path);
// The same folder or file, letter case and a closing separator aside.
bool SamePath(std::string_view a, std::string_view b);

// `line` with `program` replaced by `path`, in quotes when it holds a blank
// or the old one had them; everything else of the line as it was, byte for byte.
std::string Replaced(std::string_view line, const Program& program, std::string_view path);

// Looks for commands' programs where Windows would find them: a path as
// written (its environment variables expanded), relative to the start
// folder; a bare name also in the system folder, the Windows folder and
// the folders of PATH, and where the system registers it (App Paths, as
// the shell finds "winword.exe"). What it has looked for once is not
// looked for again: make one for each fill of the list.
class Checker {
public:
    // The path a program's name is registered under, or nothing.
    using Registered = std::function<std::optional<std::string>(std::string_view name)>;

    Checker(platform::IFileSystem& files, platform::IEnvironment& environment, Registered registered = {});

    // True when the command's program is not to be found. False when it is,
    // and for a line that names no file or whose place cannot be known (a
    // relative path beside an empty start folder).
    bool Missing(std::string_view line, std::string_view start);

private:
    // Whether `path` (one of the line's words taken as the program) is there.
    std::optional<bool> Found(std::string_view path, std::string_view start);
    bool Exists(const std::string& path);
    bool IsRegistered(const std::string& name);
    const std::vector<std::string>& SearchFolders();

    platform::IFileSystem& m_Files;
    platform::IEnvironment& m_Environment;
    Registered m_Registered;
    std::unordered_map<std::string, bool> m_Seen;  // by lower-cased path
    std::optional<std::vector<std::string>> m_SearchFolders;
};

}  // namespace modProgramPath

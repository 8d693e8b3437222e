#pragma once
// The command manager's start: the presence test, the command line, and
// which run it asks for.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandServices.h"
#include "manager/ProgressWindow.h"
#include "manager/modBackup.h"
#include "platform/NamedMutex.h"

namespace modHaupt {

enum class RunKind {
    Refused,  // ACT! runs: the message has been shown, the program ends
    NotUnderstood,  // "/quiet" on a line that is no run: nothing is shown or touched
    ListWindow,  // no or one word, or a second word that is no verb
    Install,
    Deinstall,
    Restore,  // "/wiederherstellen [DATEI]": a backup written back
    Repair,  // "/reparieren": only what every start does, a change cut short put back (the logon entry's line)
    Usage,  // "/?": the command line explained
};

inline constexpr std::int32_t kContactToolbar = 0;
inline constexpr std::int32_t kGroupToolbar = 1;

struct RunRequest {
    RunKind kind = RunKind::ListWindow;
    std::string AddonName;  // first word, letter case as typed; empty with fewer than two words
    std::int32_t ToolbarChoice = kContactToolbar;
    bool Quiet = false;  // "/quiet" after the verb: for unattended setups
    std::string RestoreFile;  // the backup to restore; empty for the newest
    bool operator==(const RunRequest&) const = default;
};

// How a run ended, for the exit code that setup programs read.
enum class RunOutcome {
    Finished,  // with its end message
    NotInstalled,  // with the "konnte nicht" message
    NotRemoved,  // refused before anything was changed
    FinishedWithError,  // with its end message, after an error was reported
};

inline constexpr int kExitFinished = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitActRunning = 2;
inline constexpr int kExitNotUnderstood = 3;

int ExitCodeOf(RunOutcome outcome);

// What a run works with: ACT!'s configuration with the command files and
// the boxes of its questions (commands.registry.boxes), its window, the lock
// of ACT!'s configuration, and where the add-on lies.
struct Services {
    CommandServices commands;
    IProgressWindow& window;
    platform::INamedMutex& locks;
    std::string AddonName;
    std::string programFolder;  // Tessivar's folder, without a trailing separator
    bool quiet = false;  // no question: the button goes on the toolbar
    const modBackup::Store& backups;  // taken before the first write of a run
};

// Why the add-on's program path or start folder cannot go into ACT!'s
// record as they are (too long for its field, or characters that ACT!'s
// code page lacks); empty when both fit.
std::string PathProblem(platform::ITextCodec& text, std::string_view program, std::string_view folder);

// Registers the add-on's command from its command file beside Tessivar and,
// on request, puts its button on the chosen toolbar.
RunOutcome Install(Services& run, std::int32_t ToolbarChoice);
// Removes every command named like the add-on, and its button on the chosen toolbar.
RunOutcome Deinstall(Services& run, std::int32_t ToolbarChoice);

// Writes back backup `file` (the newest when empty) after a question naming
// its date; with `quiet` without the question.
RunOutcome Restore(Services& run, std::string_view file);

// The command line explained, for "/?".
std::string_view UsageText();

// Runs of two or more spaces count as one; leading and trailing spaces go.
// Only U+0020 separates: a tab is part of a word.
std::vector<std::string> WordsOf(std::string_view commandLine);

// 0 (contact toolbar) or 1 (group toolbar) for a toolbar word.
std::int32_t ToolbarChoiceOf(platform::ITextCodec& text, std::string_view word);

// `commandLine` is the argument text, without the program's own path. The
// presence test looks at `windows`; `boxes` show the refusal.
RunRequest Main(platform::IWindowSystem& windows, platform::ITextCodec& text, platform::IMessageBoxes& boxes,
                std::string_view commandLine);

// Whether a command line asks for silence: "/quiet" anywhere in it. Read
// before anything else, so that even a fault in reading the line itself
// shows no box to an unattended setup.
bool AsksForQuiet(std::string_view commandLine);

// What the program does with a fault that reached its entry point: the
// exception being handled is shown in a box, or under "/quiet" only
// written as one line to `print` (the console or redirected output);
// kExitFailed either way.
int LastResort(platform::IMessageBoxes& boxes, bool quiet, const std::function<void(std::string_view)>& print);

// The argument text of a whole process command line: the program's path
// (quoted or not) and the blanks after it removed.
std::string_view ArgumentText(std::string_view processCommandLine);

}  // namespace modHaupt

#include "manager/modHaupt.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "commands/CommandRecord.h"
#include "commands/clCustomTessivars.h"
#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modACTHandle.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "manager/ConfigurationChange.h"
#include "toolbars/clACTToolbars.h"

namespace modHaupt {
namespace {

struct ToolbarWord {
    std::string_view word;
    std::int32_t choice;
};

constexpr std::array<ToolbarWord, 9> kToolbarWords = {{
    {"kontakt", kContactToolbar},
    {"contact", kContactToolbar},
    {"k", kContactToolbar},
    {"c", kContactToolbar},
    {"gruppe", kGroupToolbar},
    {"group", kGroupToolbar},
    {"g", kGroupToolbar},
    {"gruppen", kGroupToolbar},
    {"groups", kGroupToolbar},
}};

constexpr std::string_view kUsageWord = "/?";
constexpr std::string_view kRestoreWord = "/wiederherstellen";
constexpr std::string_view kQuietWord = "/quiet";

bool IsQuietWord(const platform::Platform& env, std::string_view word) { return env.text.ToLower(word) == kQuietWord; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// "/wiederherstellen [DATEI] [/quiet]": the file is the rest of the line,
// spaces and all (the backups' own names hold spaces), quotes around it
// taken off; "/quiet" may stand before or after it.
RunRequest RestoreRequest(const platform::Platform& env, std::string_view commandLine) {
    RunRequest request;
    request.kind = RunKind::Restore;
    std::string_view rest = Trim(Trim(commandLine).substr(kRestoreWord.size()));
    if (rest.size() >= kQuietWord.size() && IsQuietWord(env, rest.substr(0, kQuietWord.size())) &&
        (rest.size() == kQuietWord.size() || rest[kQuietWord.size()] == ' ')) {
        request.Quiet = true;
        rest = Trim(rest.substr(kQuietWord.size()));
    }
    if (rest.size() >= kQuietWord.size() && IsQuietWord(env, rest.substr(rest.size() - kQuietWord.size())) &&
        (rest.size() == kQuietWord.size() || rest[rest.size() - kQuietWord.size() - 1] == ' ')) {
        request.Quiet = true;
        rest = Trim(rest.substr(0, rest.size() - kQuietWord.size()));
    }
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
    request.RestoreFile = std::string(rest);
    return request;
}

// "/quiet" counts after a verb of a run only, and is taken out before the
// toolbar word is looked at.
bool TakeQuietWord(const platform::Platform& env, std::vector<std::string>& words) {
    if (words.size() < 3) return false;
    const std::string verb = env.text.ToLower(words[1]);
    if (verb != "install" && verb != "deinstall") return false;
    const auto quiet =
        std::remove_if(words.begin() + 2, words.end(), [&env](const std::string& w) { return IsQuietWord(env, w); });
    const bool found = quiet != words.end();
    words.erase(quiet, words.end());
    return found;
}

std::string Message(std::string_view first, std::string_view name, std::string_view second) {
    std::string text(first);
    text += name;
    text += second;
    return text;
}

// A name that reaches outside Tessivar's folder is no add-on of this folder.
bool LeavesTheFolder(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos || name.find("..") != std::string_view::npos;
}

clACTToolbar* ChosenToolbar(clACTToolbars& toolbars, std::int32_t choice) {
    std::string_view german, english;
    if (choice == kContactToolbar) {
        german = texts::kContactToolbarDe;
        english = texts::kContactToolbarEn;
    } else if (choice == kGroupToolbar) {
        german = texts::kGroupToolbarDe;
        english = texts::kGroupToolbarEn;
    } else {
        return nullptr;
    }
    clACTToolbar* toolbar = toolbars.Item(german);
    return toolbar != nullptr ? toolbar : toolbars.Item(english);
}

void ReportToolbarError(const platform::Platform& env, std::string_view method) {
    modMessages::ShowCurrentClassError(env, std::string(texts::kClassToolbar) + std::string(method));
}

}  // namespace

int ExitCodeOf(RunOutcome outcome) { return outcome == RunOutcome::Finished ? kExitFinished : kExitFailed; }

std::unique_ptr<platform::IHeldLock> LockConfiguration(const platform::Platform& env, platform::INamedMutex& locks) {
    try {
        auto held = locks.Acquire(actregistry::kConfigurationLock, actregistry::kConfigurationLockWaitMs);
        if (!held) modMessages::MsgBox(env, texts::kConfigurationBusy, platform::MsgIcon::Exclamation);
        return held;
    } catch (...) {
        modMessages::MsgBox(env, CurrentError().description(), platform::MsgIcon::Exclamation);
        return nullptr;
    }
}

// A path must leave room for the zero byte that ends it: ACT! would read a
// command line that fills its field on into the next one.
std::string PathProblem(const platform::Platform& env, std::string_view program, std::string_view folder) {
    for (const auto& [path, field] : {std::pair{program, record::kZeile}, std::pair{folder, record::kStart}}) {
        const std::string bytes = env.text.ToCodePage(path);
        std::string reason;
        if (env.text.FromCodePage(bytes) != path) {
            reason = texts::kPathNotInCodePage;
        } else if (bytes.size() >= field.Width()) {
            reason = std::string(texts::kPathTooLongStart) + std::to_string(field.Width() - 1) +
                     std::string(texts::kPathTooLongEnd);
        }
        if (!reason.empty()) {
            std::string text(texts::kAddonPathLine);
            text += texts::kCrLf;
            text += path;
            text += texts::kCrLf;
            text += reason;
            return text;
        }
    }
    return {};
}

RunOutcome Install(Services& run, std::int32_t ToolbarChoice) {
    const platform::Platform& runEnv = run.env;
    run.window.Show(Message(texts::kInstallStart1, run.AddonName, texts::kInstallStart2));
    const std::string failed = Message(texts::kInstallFailed1, run.AddonName, texts::kInstallFailed2);
    if (LeavesTheFolder(run.AddonName)) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }

    const std::string base = run.programFolder + "\\" + run.AddonName;
    const std::string program = base + ".exe";
    const std::string folder = run.programFolder + "\\";
    if (const std::string problem = PathProblem(runEnv, program, folder); !problem.empty()) {
        modMessages::MsgBox(runEnv, problem, platform::MsgIcon::Exclamation);
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }

    const auto lock = LockConfiguration(runEnv, run.locks);
    if (!lock) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }
    ConfigurationChange change(runEnv);
    const platform::Platform& env = change.env();
    RunOutcome outcome = RunOutcome::Finished;
    try {
        clCustomTessivars table(env);
        clCustomTessivar* command = table.Add(base + ".cmd", clACTToolbars(env).ButtonIDs(),
                                              [&run, &env] { return modBackup::Take(env, run.backups); });
        if (command == nullptr) {
            change.Finish();
            run.window.SetInfo(failed);
            return RunOutcome::NotInstalled;
        }
        command->Zeile(program);
        command->Start(folder);
        command->UpdateRegistry();

        const bool onToolbar =
            run.quiet ||
            modMessages::MsgBox(env, Message(texts::kInstallQuestion1, command->Name(), texts::kInstallQuestion2),
                                platform::MsgIcon::Question, platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes;
        if (onToolbar) {
            try {
                clACTToolbars toolbars(env);
                if (clACTToolbar* toolbar = ChosenToolbar(toolbars, ToolbarChoice)) {
                    toolbar->AddButton(0);
                    toolbar->AddButton(command->CommandID());
                }
            } catch (...) {
                if (modRegistry::IsNotWritten()) throw;
                ReportToolbarError(env, texts::kMethodAddButton);
                outcome = RunOutcome::FinishedWithError;
            }
        }
    } catch (...) {
        if (!change.Failed()) throw;
    }
    if (!change.Finish()) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }
    run.window.SetInfo(Message(texts::kInstallEnd1, run.AddonName, texts::kInstallEnd2));
    return outcome;
}

namespace {

RunOutcome RemoveAll(Services& run, const platform::Platform& env, std::int32_t ToolbarChoice) {
    clCustomTessivars table(env);
    // Not even a button goes from a table that must not be changed: the
    // command would stay without it.
    if (table.RefuseChange(texts::kMethodRemove)) return RunOutcome::NotRemoved;
    clACTToolbars toolbars(env);
    const std::string wanted = env.text.ToLower(run.AddonName);

    RunOutcome outcome = RunOutcome::Finished;
    bool toolbarErrorShown = false;
    bool backedUp = false;  // once, before the first command goes
    for (;;) {
        std::int32_t position = 0;
        clCustomTessivar* found = nullptr;
        for (auto& command : table) {
            if (position >= table.Count()) break;
            if (command->LowerName() == wanted) {
                found = command.get();
                break;
            }
            ++position;
        }
        if (found == nullptr) break;
        if (!backedUp && !modBackup::Take(env, run.backups)) return RunOutcome::NotRemoved;
        backedUp = true;

        // Identifier 0 marks separators: a command whose identifier could
        // not be read must not take the toolbar's separators with it.
        if (found->CommandID() > 0) {
            try {
                if (clACTToolbar* toolbar = ChosenToolbar(toolbars, ToolbarChoice))
                    toolbar->RemoveButton(found->CommandID());
            } catch (...) {
                if (modRegistry::IsNotWritten()) throw;
                if (!toolbarErrorShown) ReportToolbarError(env, texts::kMethodRemoveButton);
                toolbarErrorShown = true;
                outcome = RunOutcome::FinishedWithError;
            }
        }
        // A removal that failed has said so; trying it again would never end.
        if (!table.Remove(position)) {
            outcome = RunOutcome::FinishedWithError;
            break;
        }
    }
    return outcome;
}

}  // namespace

RunOutcome Deinstall(Services& run, std::int32_t ToolbarChoice) {
    run.window.Show(Message(texts::kRemovalStart1, run.AddonName, texts::kRemovalStart2));
    const std::string failed = Message(texts::kRemovalFailed1, run.AddonName, texts::kRemovalFailed2);
    const auto lock = LockConfiguration(run.env, run.locks);
    if (!lock) {
        run.window.SetInfo(failed);
        return RunOutcome::NotRemoved;
    }
    ConfigurationChange change(run.env);
    RunOutcome outcome = RunOutcome::Finished;
    try {
        outcome = RemoveAll(run, change.env(), ToolbarChoice);
    } catch (...) {
        if (!change.Failed()) throw;
    }
    if (!change.Finish() || outcome == RunOutcome::NotRemoved) {
        run.window.SetInfo(failed);
        return RunOutcome::NotRemoved;
    }
    run.window.SetInfo(Message(texts::kRemovalEnd1, run.AddonName, texts::kRemovalEnd2));
    return outcome;
}


// A name without a folder is one of the backups' folder.
std::string RestorePath(Services& run, std::string_view file) {
    if (file.empty()) {
        const std::vector<modBackup::Entry> entries = modBackup::List(run.env, run.backups);
        return entries.empty() ? std::string() : entries.front().path;
    }
    const std::string& folder = run.backups.folder.Path();
    if (file.find_first_of("\\/:") == std::string_view::npos && !folder.empty()) {
        return platform::JoinPath(folder, file);
    }
    return std::string(file);
}

RunOutcome Restore(Services& run, std::string_view file) {
    const platform::Platform& env = run.env;
    const auto lock = LockConfiguration(env, run.locks);
    if (!lock) return RunOutcome::NotRemoved;
    const std::string path = RestorePath(run, file);
    if (path.empty()) {
        modMessages::MsgBox(env, texts::kRestoreNoBackup, platform::MsgIcon::Information);
        return RunOutcome::NotRemoved;
    }
    if (!run.quiet && modMessages::MsgBox(env, modBackup::RestoreQuestion(path), platform::MsgIcon::Question,
                                          platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes) {
        return RunOutcome::NotRemoved;
    }
    if (!modBackup::Restore(env, run.backups, path)) return RunOutcome::NotRemoved;
    modMessages::MsgBox(env, modBackup::RestoreDone(path), platform::MsgIcon::Information);
    return RunOutcome::Finished;
}

std::string_view UsageText() { return texts::kUsage; }

std::vector<std::string> WordsOf(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < commandLine.size()) {
        const std::size_t space = commandLine.find(' ', pos);
        const std::size_t end = space == std::string_view::npos ? commandLine.size() : space;
        if (end > pos) words.emplace_back(commandLine.substr(pos, end - pos));
        pos = end + 1;
    }
    return words;
}

std::int32_t ToolbarChoiceOf(const platform::Platform& env, std::string_view word) {
    const std::string lower = env.text.ToLower(word);
    for (const ToolbarWord& entry : kToolbarWords) {
        if (lower == entry.word) return entry.choice;
    }
    return kContactToolbar;
}

RunRequest Main(const platform::Platform& env, std::string_view commandLine) {
    RunRequest request;
    std::vector<std::string> words = WordsOf(commandLine);
    if (!words.empty() && words[0] == kUsageWord) {
        request.kind = RunKind::Usage;
        return request;
    }
    if (!words.empty() && env.text.ToLower(words[0]) == kRestoreWord) {
        request = RestoreRequest(env, commandLine);
        if (modACTHandle::IsACTRunning(env)) {
            if (!request.Quiet) modMessages::MsgBox(env, texts::kQuitActFirst, platform::MsgIcon::Information);
            request.kind = RunKind::Refused;
        }
        return request;
    }
    const auto isQuiet = [&env](const std::string& w) { return IsQuietWord(env, w); };
    const bool holdsQuiet = std::any_of(words.begin(), words.end(), isQuiet);
    const bool quietBeforeVerb =
        std::any_of(words.begin(), words.begin() + std::min<std::ptrdiff_t>(std::ssize(words), 2), isQuiet);
    request.Quiet = TakeQuietWord(env, words);
    // A setup program that asked for silence gets no window it did not ask
    // for, and learns that its line was no run.
    if (holdsQuiet && (quietBeforeVerb || !request.Quiet)) {
        request.kind = RunKind::NotUnderstood;
        request.Quiet = true;
        return request;
    }
    if (modACTHandle::IsACTRunning(env)) {
        if (!request.Quiet) modMessages::MsgBox(env, texts::kQuitActFirst, platform::MsgIcon::Information);
        request.kind = RunKind::Refused;
        return request;
    }

    if (words.size() >= 3) request.ToolbarChoice = ToolbarChoiceOf(env, words[2]);
    if (words.size() < 2) return request;

    request.AddonName = words[0];
    const std::string verb = env.text.ToLower(words[1]);
    if (verb == "install") {
        request.kind = RunKind::Install;
    } else if (verb == "deinstall") {
        request.kind = RunKind::Deinstall;
    }
    return request;
}

bool AsksForQuiet(std::string_view commandLine) {
    const std::vector<std::string> words = WordsOf(commandLine);
    return std::any_of(words.begin(), words.end(), [](const std::string& w) { return ascii::Lower(w) == kQuietWord; });
}

int LastResort(platform::IMessageBoxes& boxes, bool quiet, const std::function<void(std::string_view)>& print) {
    try {
        const AppError error = CurrentError();
        const std::string what = error.description().empty() ? std::string(texts::kInternalError) : error.description();
        if (quiet) {
            if (print) print(std::string(texts::kTessivarTitle) + ": " + what + "\r\n");
        } else {
            boxes.Show(
                {what, std::string(texts::kTessivarTitle), platform::MsgIcon::Critical, platform::MsgButtons::Ok});
        }
    } catch (...) {
        // Nothing more can be said.
    }
    return kExitFailed;
}

std::string_view ArgumentText(std::string_view processCommandLine) {
    std::size_t pos = 0;
    if (!processCommandLine.empty() && processCommandLine[0] == '"') {
        const std::size_t close = processCommandLine.find('"', 1);
        pos = close == std::string_view::npos ? processCommandLine.size() : close + 1;
    }
    while (pos < processCommandLine.size() && processCommandLine[pos] != ' ' && processCommandLine[pos] != '\t') {
        ++pos;
    }
    while (pos < processCommandLine.size() && (processCommandLine[pos] == ' ' || processCommandLine[pos] == '\t')) {
        ++pos;
    }
    return processCommandLine.substr(pos);
}

}  // namespace modHaupt

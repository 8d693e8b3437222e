#include "manager/modHaupt.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "commands/CommandRecord.h"
#include "commands/clCustomTessivars.h"
#include "common/modACTHandle.h"
#include "common/modMessages.h"
#include "manager/ConfigurationChange.h"
#include "manager/modToolbarButtons.h"
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
constexpr std::string_view kRepairWord = "/reparieren";

bool IsQuietWord(platform::ITextCodec& text, std::string_view word) { return text.ToLower(word) == kQuietWord; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// "/wiederherstellen [DATEI] [/quiet]": the file is the rest of the line,
// spaces and all (the backups' own names hold spaces), quotes around it
// taken off; "/quiet" may stand before or after it.
RunRequest RestoreRequest(platform::ITextCodec& text, std::string_view commandLine) {
    RunRequest request;
    request.kind = RunKind::Restore;
    std::string_view rest = Trim(Trim(commandLine).substr(kRestoreWord.size()));
    if (rest.size() >= kQuietWord.size() && IsQuietWord(text, rest.substr(0, kQuietWord.size())) &&
        (rest.size() == kQuietWord.size() || rest[kQuietWord.size()] == ' ')) {
        request.Quiet = true;
        rest = Trim(rest.substr(kQuietWord.size()));
    }
    if (rest.size() >= kQuietWord.size() && IsQuietWord(text, rest.substr(rest.size() - kQuietWord.size())) &&
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
bool TakeQuietWord(platform::ITextCodec& text, std::vector<std::string>& words) {
    if (words.size() < 3) return false;
    const std::string verb = text.ToLower(words[1]);
    if (verb != "install" && verb != "deinstall") return false;
    const auto quiet =
        std::remove_if(words.begin() + 2, words.end(), [&text](const std::string& w) { return IsQuietWord(text, w); });
    const bool found = quiet != words.end();
    words.erase(quiet, words.end());
    return found;
}

// ACT! writes its configuration back when it ends: nothing is changed while it runs.
RunRequest RefusedWhileActRuns(RunRequest request, platform::IWindowSystem& windows, platform::ITextCodec& text,
                               platform::IMessageBoxes& boxes) {
    if (modACTHandle::IsACTRunning(windows, text)) {
        if (!request.Quiet) modMessages::MsgBox(boxes, texts::kQuitActFirst, platform::MsgIcon::Information);
        request.kind = RunKind::Refused;
    }
    return request;
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

// The toolbar of the choice by its German name, else its English one; none
// for another choice.
constexpr std::string_view kContactNames[] = {texts::kContactToolbarDe, texts::kContactToolbarEn};
constexpr std::string_view kGroupNames[] = {texts::kGroupToolbarDe, texts::kGroupToolbarEn};

modToolbarButtons::Names ToolbarNames(std::int32_t choice) {
    if (choice == kContactToolbar) return kContactNames;
    if (choice == kGroupToolbar) return kGroupNames;
    return {};
}

}  // namespace

int ExitCodeOf(RunOutcome outcome) { return outcome == RunOutcome::Finished ? kExitFinished : kExitFailed; }

// A path must leave room for the zero byte that ends it: ACT! would read a
// command line that fills its field on into the next one.
std::string PathProblem(platform::ITextCodec& text, std::string_view program, std::string_view folder) {
    for (const auto& [path, field] : {std::pair{program, record::kZeile}, std::pair{folder, record::kStart}}) {
        const std::string bytes = text.ToCodePage(path);
        std::string reason;
        if (text.FromCodePage(bytes) != path) {
            reason = texts::kPathNotInCodePage;
        } else if (bytes.size() >= field.Width()) {
            reason = std::string(texts::kPathTooLongStart) + std::to_string(field.Width() - 1) +
                     std::string(texts::kPathTooLongEnd);
        }
        if (!reason.empty()) {
            std::string problem(texts::kAddonPathLine);
            problem += texts::kCrLf;
            problem += path;
            problem += texts::kCrLf;
            problem += reason;
            return problem;
        }
    }
    return {};
}

RunOutcome Install(Services& run, std::int32_t ToolbarChoice) {
    platform::IMessageBoxes& boxes = run.commands.registry.boxes;
    run.window.Show(Message(texts::kInstallStart1, run.AddonName, texts::kInstallStart2));
    const std::string failed = Message(texts::kInstallFailed1, run.AddonName, texts::kInstallFailed2);
    if (LeavesTheFolder(run.AddonName)) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }

    const std::string base = run.programFolder + "\\" + run.AddonName;
    const std::string program = base + ".exe";
    const std::string folder = run.programFolder + "\\";
    if (const std::string problem = PathProblem(run.commands.registry.text, program, folder); !problem.empty()) {
        modMessages::MsgBox(boxes, problem, platform::MsgIcon::Exclamation);
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }

    const auto lock = LockConfiguration(boxes, run.locks);
    if (!lock) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }
    bool toolbarFailed = false;
    const ChangeOutcome change =
        AllOrNothing(run.commands.registry, run.backups, [&](const modRegistry::Access& registry) {
            clCustomTessivars table(run.commands.With(registry));
            clCustomTessivar* command = table.Add(base + ".cmd", clACTToolbars(registry).ButtonIDs(), [&] {
                return modBackup::Take(registry, run.backups, Message(texts::kReasonInstall, run.AddonName, "'"));
            });
            if (command == nullptr) return ChangeOutcome::Refused;
            command->Zeile(program);
            command->Start(folder);
            command->UpdateRegistry();

            const bool onToolbar =
                run.quiet || modMessages::MsgBox(
                                 boxes, Message(texts::kInstallQuestion1, command->Name(), texts::kInstallQuestion2),
                                 platform::MsgIcon::Question, platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes;
            if (onToolbar) {
                clACTToolbars toolbars(registry);
                if (const auto error =
                        modToolbarButtons::Add(toolbars, ToolbarNames(ToolbarChoice), command->CommandID())) {
                    modToolbarButtons::Report(boxes, texts::kMethodAddButton, *error);
                    toolbarFailed = true;
                }
            }
            return ChangeOutcome::Done;
        });
    if (change != ChangeOutcome::Done) {
        run.window.SetInfo(failed);
        return RunOutcome::NotInstalled;
    }
    run.window.SetInfo(Message(texts::kInstallEnd1, run.AddonName, texts::kInstallEnd2));
    return toolbarFailed ? RunOutcome::FinishedWithError : RunOutcome::Finished;
}

namespace {

// Every command named like the add-on, with its button on the chosen
// toolbar. Refused when the table must not be changed or no backup could
// be taken; Done with `failed` set when a step was left out (reported).
ChangeOutcome RemoveAll(Services& run, const modRegistry::Access& registry, std::int32_t ToolbarChoice, bool& failed) {
    clCustomTessivars table(run.commands.With(registry));
    // Not even a button goes from a table that must not be changed: the
    // command would stay without it.
    if (table.RefuseChange(texts::kMethodRemove)) return ChangeOutcome::Refused;
    clACTToolbars toolbars(registry);
    const std::string wanted = registry.text.ToLower(run.AddonName);

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
        if (!backedUp && !modBackup::Take(registry, run.backups, Message(texts::kReasonRemoval, run.AddonName, "'"))) {
            return ChangeOutcome::Refused;
        }
        backedUp = true;

        if (const auto error = modToolbarButtons::Remove(toolbars, ToolbarNames(ToolbarChoice), found->CommandID())) {
            if (!toolbarErrorShown) modToolbarButtons::Report(registry.boxes, texts::kMethodRemoveButton, *error);
            toolbarErrorShown = true;
            failed = true;
        }
        // A removal that failed has said so; trying it again would never end.
        if (!table.Remove(position)) {
            failed = true;
            break;
        }
    }
    return ChangeOutcome::Done;
}

}  // namespace

RunOutcome Deinstall(Services& run, std::int32_t ToolbarChoice) {
    run.window.Show(Message(texts::kRemovalStart1, run.AddonName, texts::kRemovalStart2));
    const std::string failed = Message(texts::kRemovalFailed1, run.AddonName, texts::kRemovalFailed2);
    const auto lock = LockConfiguration(run.commands.registry.boxes, run.locks);
    if (!lock) {
        run.window.SetInfo(failed);
        return RunOutcome::NotRemoved;
    }
    bool stepFailed = false;
    const ChangeOutcome change = AllOrNothing(
        run.commands.registry, run.backups,
        [&](const modRegistry::Access& registry) { return RemoveAll(run, registry, ToolbarChoice, stepFailed); });
    if (change != ChangeOutcome::Done) {
        run.window.SetInfo(failed);
        return RunOutcome::NotRemoved;
    }
    run.window.SetInfo(Message(texts::kRemovalEnd1, run.AddonName, texts::kRemovalEnd2));
    return stepFailed ? RunOutcome::FinishedWithError : RunOutcome::Finished;
}

// A name without a folder is one of the backups' folder.
std::string RestorePath(Services& run, std::string_view file) {
    if (file.empty()) {
        const std::vector<modBackup::Entry> entries = modBackup::List(run.backups);
        return entries.empty() ? std::string() : entries.front().path;
    }
    const std::string& folder = run.backups.folder.Path();
    if (file.find_first_of("\\/:") == std::string_view::npos && !folder.empty()) {
        return platform::JoinPath(folder, file);
    }
    return std::string(file);
}

RunOutcome Restore(Services& run, std::string_view file) {
    platform::IMessageBoxes& boxes = run.commands.registry.boxes;
    const auto lock = LockConfiguration(boxes, run.locks);
    if (!lock) return RunOutcome::NotRemoved;
    const std::string path = RestorePath(run, file);
    if (path.empty()) {
        modMessages::MsgBox(boxes, texts::kRestoreNoBackup, platform::MsgIcon::Information);
        return RunOutcome::NotRemoved;
    }
    if (!run.quiet && modMessages::MsgBox(boxes, modBackup::RestoreQuestion(path), platform::MsgIcon::Question,
                                          platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes) {
        return RunOutcome::NotRemoved;
    }
    if (!modBackup::Restore(run.commands.registry, run.backups, path)) return RunOutcome::NotRemoved;
    modMessages::MsgBox(boxes, modBackup::RestoreDone(path), platform::MsgIcon::Information);
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

std::int32_t ToolbarChoiceOf(platform::ITextCodec& text, std::string_view word) {
    const std::string lower = text.ToLower(word);
    for (const ToolbarWord& entry : kToolbarWords) {
        if (lower == entry.word) return entry.choice;
    }
    return kContactToolbar;
}

RunRequest Main(platform::IWindowSystem& windows, platform::ITextCodec& text, platform::IMessageBoxes& boxes,
                std::string_view commandLine) {
    RunRequest request;
    std::vector<std::string> words = WordsOf(commandLine);
    if (!words.empty() && words[0] == kUsageWord) {
        request.kind = RunKind::Usage;
        return request;
    }
    if (!words.empty() && text.ToLower(words[0]) == kRepairWord) {
        request.kind = RunKind::Repair;
        request.Quiet =
            std::any_of(words.begin(), words.end(), [&text](const std::string& w) { return IsQuietWord(text, w); });
        return RefusedWhileActRuns(std::move(request), windows, text, boxes);
    }
    if (!words.empty() && text.ToLower(words[0]) == kRestoreWord) {
        return RefusedWhileActRuns(RestoreRequest(text, commandLine), windows, text, boxes);
    }
    const auto isQuiet = [&text](const std::string& w) { return IsQuietWord(text, w); };
    const bool holdsQuiet = std::any_of(words.begin(), words.end(), isQuiet);
    const bool quietBeforeVerb =
        std::any_of(words.begin(), words.begin() + std::min<std::ptrdiff_t>(std::ssize(words), 2), isQuiet);
    request.Quiet = TakeQuietWord(text, words);
    // A setup program that asked for silence gets no window it did not ask
    // for, and learns that its line was no run.
    if (holdsQuiet && (quietBeforeVerb || !request.Quiet)) {
        request.kind = RunKind::NotUnderstood;
        request.Quiet = true;
        return request;
    }
    request = RefusedWhileActRuns(std::move(request), windows, text, boxes);
    if (request.kind == RunKind::Refused) return request;

    if (words.size() >= 3) request.ToolbarChoice = ToolbarChoiceOf(text, words[2]);
    if (words.size() < 2) return request;

    request.AddonName = words[0];
    const std::string verb = text.ToLower(words[1]);
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

// Any command line an add-on's setup program may hand Tessivar. The line
// gives exactly one run request; under "/quiet" no box is shown; a run's
// add-on name is the line's first word; a restore's file is what the line
// says after the verb; and an install or removal run opens no file but
// the add-on's own command file beside Tessivar (and its backups): the
// name never names another folder. The program's own path is taken off a
// whole process command line leaving a tail of it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/AppError.h"
#include "commands/clCustomTessivar.h"
#include "common/ActRegistry.h"
#include "manager/modHaupt.h"
#include "platform/MemoryNamedMutex.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"
#include "Property.h"

namespace {

using modHaupt::RunKind;
using platform::kHKeyCurrentUser;

const std::string kFolder = "C:\\Programme\\Zusaetze";
const std::string kBackups = "C:\\Sicherungen";

class SilentWindow : public IProgressWindow {
public:
    void Show(std::string_view) override {}
    void SetInfo(std::string_view) override {}
};

// Opened for reading: the add-on's command file, one name below Tessivar's folder.
void OnlyItsOwnFile(const std::string& path) {
    Check(path.starts_with(kFolder + "\\"));
    const std::string_view name = std::string_view(path).substr(kFolder.size() + 1);
    Check(name.find_first_of("\\/:") == std::string_view::npos);
    const std::size_t dot = name.rfind('.');
    Check(dot != std::string_view::npos && name.substr(0, dot).find("..") == std::string_view::npos);
}

void RunIt(SubstituteServices& sub, const modHaupt::RunRequest& request) {
    std::vector<std::string> opened;
    sub.files.onOpen = [&](const std::string& path, bool forWriting) {
        if (!forWriting) opened.push_back(path);
    };
    platform::MemoryNamedMutex locks;
    SilentWindow window;
    platform::FakeClock clock;
    const modBackup::Store backups{sub.files, clock, kBackups};
    modHaupt::Services run{sub.Commands(), window, locks, request.AddonName, kFolder, true, backups};
    try {
        if (request.kind == RunKind::Install) modHaupt::Install(run, request.ToolbarChoice);
        if (request.kind == RunKind::Deinstall) modHaupt::Deinstall(run, request.ToolbarChoice);
    } catch (const AppError&) {
        // a run's own fault, reported at the entry point
    }
    for (const std::string& path : opened) {
        if (!path.starts_with(kBackups + "\\")) OnlyItsOwnFile(path);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);

    const std::string_view tail = modHaupt::ArgumentText(line);
    Check(std::string_view(line).ends_with(tail));

    SubstituteServices sub;
    sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kCustomCommands), "Count", 0);
    sub.files.AddFolder(kFolder);
    sub.files.AddFolder(kBackups);
    modHaupt::RunRequest request;
    try {
        request = modHaupt::Main(sub.windows, sub.text, sub.messages, line);
    } catch (const AppError&) {
        Check(false);
    }
    const std::vector<std::string> words = modHaupt::WordsOf(line);
    Check(sub.messages.Shown().size() <= 1);
    if (request.Quiet) Check(sub.messages.Shown().empty());
    Check(request.ToolbarChoice == modHaupt::kContactToolbar || request.ToolbarChoice == modHaupt::kGroupToolbar);
    switch (request.kind) {
        case RunKind::Install:
        case RunKind::Deinstall:
            Check(words.size() >= 2 && request.AddonName == words[0]);
            RunIt(sub, request);
            break;
        case RunKind::Restore:
            // The file is the line's own text after the verb.
            Check(line.find(request.RestoreFile) != std::string::npos);
            Check(request.RestoreFile.size() + 17 <= line.size());
            break;
        case RunKind::Repair:
            // Only the first word makes it one.
            Check(!words.empty() && words[0].size() == 11);
            break;
        case RunKind::Usage:
        case RunKind::NotUnderstood:
        case RunKind::ListWindow: Check(request.AddonName.empty() || words.size() >= 2); break;
        case RunKind::Refused:
            Check(false);  // ACT! does not run here
            break;
    }
    return 0;
}

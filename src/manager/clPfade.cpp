#include "manager/clPfade.h"

#include "base/UiTexts.h"
#include "commands/CommandRecord.h"
#include "manager/PfadeControls.h"
#include "manager/modProgramPath.h"

namespace c = PfadeControls;

namespace {

constexpr std::string_view kOfferHeaders[] = {texts::kColumnNr,       texts::kColumnName,     texts::kColumnOldZeile,
                                              texts::kColumnNewZeile, texts::kColumnOldStart, texts::kColumnNewStart};
constexpr std::string_view kKeptHeaders[] = {texts::kColumnNr, texts::kColumnName, texts::kColumnReason};

// An environment variable that is not set stays as written.
std::string Expanded(platform::IEnvironment& environment, std::string_view text) {
    std::string expanded = environment.Expand(text);
    return expanded.empty() ? std::string(text) : expanded;
}

}  // namespace

clPfade::clPfade(ui::IForm& window, Services services, std::vector<Command> commands, std::string folder)
    : m_Window(window), m_Services(services), m_Folder(std::move(folder)) {
    // A folder whose name ACT!'s code page cannot hold would be stored with question marks.
    m_FolderWritable = m_Services.text.FromCodePage(m_Services.text.ToCodePage(m_Folder)) == m_Folder;
    for (const Command& command : commands) Plan(command);
}

void clPfade::Plan(const Command& command) {
    const auto keep = [&](std::string_view reason) { m_Kept.push_back({command, reason}); };
    if (!command.complete) return keep(texts::kPathsIncomplete);
    const std::optional<modProgramPath::Program> program = modProgramPath::Find(command.zeile);
    if (!program) return keep(texts::kPathsNoProgram);
    const std::string oldPath = Expanded(m_Services.environment, program->path);
    const std::string name(modProgramPath::FileName(oldPath));
    const std::string newPath = platform::JoinPath(m_Folder, name);
    const bool withExe = name.find('.') == std::string::npos;
    if (name.empty() || !(m_Services.files.Exists(newPath) || (withExe && m_Services.files.Exists(newPath + ".exe")))) {
        return keep(texts::kPathsNotInFolder);
    }
    if (!m_FolderWritable) return keep(texts::kPathsNotWritable);

    // The folder the program was called in: a bare name has none we know.
    const std::string start = Expanded(m_Services.environment, command.start);
    std::string oldFolder;
    if (oldPath.find_first_of("\\/") != std::string::npos) {
        oldFolder =
            modProgramPath::FolderOf(modProgramPath::IsRooted(oldPath) ? oldPath : platform::JoinPath(start, oldPath));
    }
    modListActions::PathChange change{command.position, modProgramPath::Replaced(command.zeile, *program, newPath),
                                      command.start};
    if (!command.start.empty() && !oldFolder.empty() && modProgramPath::SamePath(start, oldFolder)) {
        change.start = m_Folder;
    }
    if (change.zeile == command.zeile && change.start == command.start) return keep(texts::kPathsUnchanged);
    if (m_Services.text.ToCodePage(change.zeile).size() > record::kZeile.Width()) {
        return keep(texts::kPathsZeileTooLong);
    }
    if (m_Services.text.ToCodePage(change.start).size() > record::kStart.Width()) {
        return keep(texts::kPathsStartTooLong);
    }
    m_Offered.push_back({command, std::move(change)});
}

void clPfade::Form_Load() {
    m_Window.SetText(c::lbOrdner, std::string(texts::kPathsFolder) + m_Folder);
    std::vector<ui::IForm::Row> rows;
    rows.reserve(m_Offered.size());
    for (const Offer& offer : m_Offered) {
        rows.push_back({std::to_string(offer.command.position), offer.command.name, offer.command.zeile,
                        offer.change.zeile, offer.command.start, offer.change.start});
    }
    m_Window.ShowRows(c::lvPfade, kOfferHeaders, rows);
    rows.clear();
    for (const Kept& kept : m_Kept) {
        rows.push_back({std::to_string(kept.command.position), kept.command.name, std::string(kept.reason)});
    }
    m_Window.ShowRows(c::lvUebrig, kKeptHeaders, rows);
    if (m_Offered.empty()) {
        m_Window.SetEnabled(c::cmdOK, false);
        m_Window.Focus(c::cmdCancel);
    } else {
        m_Window.Focus(c::cmdOK);
    }
}

void clPfade::cmdOK_Click() {
    if (m_Offered.empty()) return;
    std::vector<modListActions::PathChange> changes;
    changes.reserve(m_Offered.size());
    for (const Offer& offer : m_Offered) changes.push_back(offer.change);
    m_Confirmed = std::move(changes);
    m_Window.Close();
}

void clPfade::cmdCancel_Click() { m_Window.Close(); }

void clPfade::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}

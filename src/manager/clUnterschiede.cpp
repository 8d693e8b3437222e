#include "manager/clUnterschiede.h"

#include <string_view>

#include "base/UiTexts.h"
#include "manager/UnterschiedeControls.h"

namespace c = UnterschiedeControls;

namespace {

constexpr std::string_view kHeaders[] = {texts::kDiffColumnKind, texts::kDiffColumnName, texts::kDiffColumnChange};

}  // namespace

clUnterschiede::clUnterschiede(ui::IForm& window, std::string backup,
                               std::vector<modBackupDiff::Difference> differences)
    : m_Window(window), m_Backup(std::move(backup)), m_Differences(std::move(differences)) {}

void clUnterschiede::Form_Load() {
    std::string prompt(texts::kDiffPromptStart);
    prompt += m_Backup;
    prompt += m_Differences.empty() ? texts::kDiffNone : texts::kDiffPromptEnd;
    m_Window.SetText(c::lbPrompt, prompt);
    std::vector<ui::IForm::Row> rows;
    rows.reserve(m_Differences.size());
    for (const modBackupDiff::Difference& d : m_Differences) rows.push_back({d.kind, d.name, d.change});
    m_Window.ShowRows(c::lvDifferences, kHeaders, rows);
    m_Window.Focus(m_Differences.empty() ? ui::ControlId(c::cmdClose) : ui::ControlId(c::lvDifferences));
}

void clUnterschiede::cmdClose_Click() { m_Window.Close(); }

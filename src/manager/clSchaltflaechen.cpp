#include "manager/clSchaltflaechen.h"

#include <string_view>

#include "base/UiTexts.h"
#include "manager/SchaltflaechenControls.h"

namespace c = SchaltflaechenControls;
using modButtonPlacement::Toolbar;

namespace {

constexpr std::string_view kHeaders[] = {texts::kPlaceColumnToolbar, texts::kPlaceColumnPlace};

std::string PlaceText(const Toolbar& toolbar, std::int32_t commandId) {
    if (!toolbar.entries) return std::string(texts::kPlaceUnreadable);
    const std::int32_t place = toolbar.Place(commandId);
    if (place == 0) return std::string(texts::kPlaceNotOn);
    return std::to_string(place) + std::string(texts::kPlaceOf) + std::to_string(toolbar.Count());
}

}  // namespace

clSchaltflaechen::clSchaltflaechen(ui::IForm& window, std::int32_t commandId, std::string commandName,
                                   Toolbars toolbars)
    : m_Window(window),
      m_CommandId(commandId),
      m_CommandName(std::move(commandName)),
      m_Toolbars(std::move(toolbars)) {}

void clSchaltflaechen::Form_Load() {
    m_Window.SetText(c::lbPrompt,
                     std::string(texts::kPlacePromptStart) + m_CommandName + std::string(texts::kPlacePromptEnd));
    Show(m_Toolbars.empty() ? -1 : 0);
    m_Window.Focus(c::lvToolbars);
}

void clSchaltflaechen::Show(int row) {
    std::vector<ui::IForm::Row> rows;
    rows.reserve(m_Toolbars.size());
    for (const Toolbar& toolbar : m_Toolbars) rows.push_back({toolbar.name, PlaceText(toolbar, m_CommandId)});
    m_Window.ShowRows(c::lvToolbars, kHeaders, rows);
    if (row >= 0) m_Window.SelectRow(c::lvToolbars, row);
    EnableSteps();
}

Toolbar* clSchaltflaechen::Selected() {
    const int row = m_Window.SelectedRow(c::lvToolbars);
    if (row < 0 || row >= static_cast<int>(m_Toolbars.size())) return nullptr;
    return &m_Toolbars[static_cast<std::size_t>(row)];
}

// A step is offered only where it can be made: a trial on a copy says so.
void clSchaltflaechen::EnableSteps() {
    const Toolbar* selected = Selected();
    const auto can = [&](auto step) {
        if (selected == nullptr) return false;
        Toolbar trial = *selected;
        return step(trial);
    };
    const std::int32_t id = m_CommandId;
    m_Window.SetEnabled(c::cmdHinzufuegen, can([id](Toolbar& t) { return modButtonPlacement::PutOn(t, id); }));
    m_Window.SetEnabled(c::cmdEntfernen, can([id](Toolbar& t) { return modButtonPlacement::TakeOff(t, id); }));
    m_Window.SetEnabled(c::cmdLinks, can([id](Toolbar& t) { return modButtonPlacement::Move(t, id, -1); }));
    m_Window.SetEnabled(c::cmdRechts, can([id](Toolbar& t) { return modButtonPlacement::Move(t, id, +1); }));
}

void clSchaltflaechen::lvToolbars_ItemClick(int) { EnableSteps(); }

// The selection stays on the toolbar, and the focus goes back to the list
// when the step's button has just been disabled by it.
template <class Step>
void clSchaltflaechen::Apply(Step step) {
    Toolbar* selected = Selected();
    if (selected == nullptr || !step(*selected)) return;
    Show(m_Window.SelectedRow(c::lvToolbars));
    m_Window.Focus(c::lvToolbars);
}

void clSchaltflaechen::cmdHinzufuegen_Click() {
    Apply([this](Toolbar& t) { return modButtonPlacement::PutOn(t, m_CommandId); });
}
void clSchaltflaechen::cmdEntfernen_Click() {
    Apply([this](Toolbar& t) { return modButtonPlacement::TakeOff(t, m_CommandId); });
}
void clSchaltflaechen::cmdLinks_Click() {
    Apply([this](Toolbar& t) { return modButtonPlacement::Move(t, m_CommandId, -1); });
}
void clSchaltflaechen::cmdRechts_Click() {
    Apply([this](Toolbar& t) { return modButtonPlacement::Move(t, m_CommandId, +1); });
}

void clSchaltflaechen::cmdOK_Click() {
    m_Result = m_Toolbars;
    m_Window.Close();
}

void clSchaltflaechen::cmdCancel_Click() { m_Window.Close(); }

void clSchaltflaechen::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}

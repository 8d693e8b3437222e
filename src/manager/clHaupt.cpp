#include "manager/clHaupt.h"

#include "base/ScopeExit.h"
#include "manager/HauptControls.h"

namespace c = HauptControls;

void clHaupt::Show(std::string_view info) {
    SetInfo(info);
    m_Window.Display();
}

void clHaupt::SetInfo(std::string_view info) {
    m_Window.Load();
    m_Window.SetText(c::lbInfo, info);
    m_Window.Repaint();
}

void clHaupt::Run(platform::Pacing& pacing, const std::function<void()>& run) {
    Lock(true);
    ScopeExit unlock([this] { Lock(false); });
    {
        const platform::Pacing::Work work = pacing.Begin();
        run();
    }
    unlock.RunNow();
    m_Window.Focus(c::cmdOK);
}

void clHaupt::Lock(bool locked) {
    m_Window.Load();
    m_Working = locked;
    for (const ui::ControlEntry& control : c::All()) {
        if (control.lockedWhileBusy) m_Window.SetEnabled(ui::ControlId{control.id}, !locked);
    }
    m_Window.SetPointer(locked ? ui::Pointer::Hourglass : ui::Pointer::Default);
}

void clHaupt::cmdOK_Click() {
    if (!m_Working) m_Window.Close();
}

void clHaupt::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape && !m_Working) m_Window.Close();
}

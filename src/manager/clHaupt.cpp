#include "manager/clHaupt.h"

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

void clHaupt::cmdOK_Click() { m_Window.Close(); }

void clHaupt::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}

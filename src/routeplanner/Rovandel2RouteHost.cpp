#include "routeplanner/Rovandel2RouteHost.h"

#include "base/AppError.h"
#include "routeplanner/Rovandel2Controls.h"

namespace c = Rovandel2Controls;

void Rovandel2RouteHost::zeigeStatus(std::string_view Text) { m_Logic.zeigeStatus(Text); }
void Rovandel2RouteHost::aktiviereEingaben(bool Aktiv) { m_Logic.aktiviereEingaben(Aktiv); }
void Rovandel2RouteHost::SetFrontwindow(bool ImVordergrund) { m_Logic.SetFrontwindow(m_Logic.Form(), ImVordergrund); }
void Rovandel2RouteHost::SetProgress(int value) { m_Logic.Form().SetProgress(value); }
void Rovandel2RouteHost::SetStatusPicture(int number) { m_Logic.Form().SetStatusPicture(number); }
void Rovandel2RouteHost::SetStatusPicture(std::string_view key) { m_Logic.Form().SetStatusPicture(key); }
std::string Rovandel2RouteHost::Text(std::string_view control) { return m_Logic.Form().Text(control); }

std::string Rovandel2RouteHost::SelectedText(std::string_view control) {
    const int index = m_Logic.Form().ListIndex(control);
    return index < 0 ? std::string() : m_Logic.Form().ItemText(control, index);
}

bool Rovandel2RouteHost::IsChecked(std::string_view control) { return m_Logic.Form().Checked(control); }

void Rovandel2RouteHost::Press(std::string_view control) {
    if (control == c::cmdPersoenlicherDatensatzStart) m_Logic.PersoenlicherDatensatzStart();
    else if (control == c::cmdAktuellerDatensatzStart) m_Logic.AktuellerDatensatzStart();
    else if (control == c::cmdPersoenlicherDatensatzZiel) m_Logic.PersoenlicherDatensatzZiel();
    else if (control == c::cmdAktuellerDatensatzZiel) m_Logic.AktuellerDatensatzZiel();
    else Raise(ErrorNumber::InvalidCall);
}

platform::ISettingsStore& Rovandel2RouteHost::Settings() { return m_Logic.Settings(); }
std::string Rovandel2RouteHost::Programmname() { return m_Logic.Programmname(); }

platform::MsgAnswer Rovandel2RouteHost::MsgBox(const platform::MessageBoxRequest& request) {
    return m_Logic.Env().messages.Show(request);
}

void Rovandel2RouteHost::DoEvents() { m_Logic.Env().windows.DoEvents(); }
void Rovandel2RouteHost::WaitForEvents(int timeoutMs) { m_Logic.Env().windows.WaitForEvents(timeoutMs); }
bool Rovandel2RouteHost::Ended() { return m_Logic.Beendet() || m_Logic.SchliessenAngefragt(); }
void Rovandel2RouteHost::Browserfehler() { m_Logic.Browserfehler(); }
void Rovandel2RouteHost::CloseWindow() { m_Logic.Schliessen(); }

// The real rovandel2.exe, started as a separate process beside the ACT!
// stand-in, driven from here through its window's controls; the stand-in's
// call log shows what reached ACT!.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "driver/BoxDriver_win.h"
#include "routeplanner/Rovandel2Controls.h"
#include "support/ActStandin_win.h"
#include "support/Process_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;
namespace c = Rovandel2Controls;

namespace {

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\Rovandel2";
constexpr DWORD kExitFailed = 1;
constexpr DWORD kExitRefused = 2;

std::wstring TextOf(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::optional<std::wstring> Setting(const std::wstring& name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    const std::wstring key = std::wstring(kSettingsRoot) + L"\\Optionen";
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20, Sleep(20)) {
        if (done()) return true;
    }
    return done();
}

class Rovandel2EndToEnd : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(support::ActStandin::Register()); }
    void SetUp() override { support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot); }
    void TearDown() override {
        if (m_Rovandel) m_Rovandel->Kill();
        m_Act.Close();
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
    }

    void StartAct(const std::wstring& options = L"") { ASSERT_TRUE(m_Act.Start(options)); }
    ChildProcess& StartRovandel() {
        m_Rovandel.emplace(ChildProcess::Start(support::ProgramFolder() + L"rovandel2.exe", L""));
        return *m_Rovandel;
    }
    HWND MainWindow() {
        HWND window = support::WaitForWindow(std::wstring(c::kClassName), m_Rovandel->Id(), 15000);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // A click as the user makes it; posted, for it may open a box.
    static void Click(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }
    static bool TextBecomes(HWND window, int id, const std::wstring& text) {
        return WaitFor([&] { return TextOf(GetDlgItem(window, id)) == text; }, 15000);
    }
    static bool Idle(HWND window) {
        return WaitFor([&] { return IsWindowEnabled(GetDlgItem(window, c::cmdBrowse.id)) != FALSE; }, 15000);
    }

    support::ActStandin m_Act;
    std::optional<ChildProcess> m_Rovandel;
};

TEST_F(Rovandel2EndToEnd, WithoutActAndWithoutADatabaseItRefusesAndStoresNothing) {
    for (bool withAct : {false, true}) {
        if (withAct) StartAct(L"--no-database");
        ChildProcess& rovandel = StartRovandel();
        HWND box = driver::FindMessageBox(rovandel.Id(), L"Rovandel2", 15000);
        ASSERT_NE(box, nullptr);
        const driver::BoxInfo info = driver::ReadMessageBox(box);
        EXPECT_EQ(info.text,
                  withAct ? L"Bitte öffnen Sie zuvor eine ACT!-Datenbank." : L"Bitte starten Sie zuvor ACT!.");
        EXPECT_EQ(info.icon, "exclamation");
        EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
        EXPECT_NE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_EQ(support::WaitForWindow(std::wstring(c::kClassName), rovandel.Id(), 100), nullptr);
        driver::Press(box, IDOK);
        EXPECT_EQ(rovandel.WaitForExit(10000), std::optional<DWORD>(kExitRefused));
    }
    EXPECT_FALSE(Setting(L"station[0].city").has_value());
}

// ACT! is asked on a thread of its own while the window is built: the window
// still waits for both answers, and an error there still reaches the user.
TEST_F(Rovandel2EndToEnd, TheWindowShowsOnlyAfterACTHasAnsweredAndNeverAfterItsError) {
    StartAct(L"--slow GetOpenDBName 1500");
    ChildProcess& slow = StartRovandel();
    EXPECT_EQ(support::WaitForWindow(std::wstring(c::kClassName), slow.Id(), 1000), nullptr)
        << "shown before ACT! named its database";
    EXPECT_NE(MainWindow(), nullptr);
    slow.Kill();
    m_Act.Close();

    StartAct(L"--fail GetOpenDBName");
    ChildProcess& failing = StartRovandel();
    HWND box = driver::FindMessageBox(failing.Id(), L"Rovandel2", 15000);
    ASSERT_NE(box, nullptr);
    const std::wstring text = driver::ReadMessageBox(box).text;
    EXPECT_EQ(text.rfind(L"Fehler in Main", 0), 0u) << testing::PrintToString(text);
    EXPECT_NE(text.find(L"simulierter Fehler in GetOpenDBName"), std::wstring::npos) << testing::PrintToString(text);
    EXPECT_EQ(support::WaitForWindow(std::wstring(c::kClassName), failing.Id(), 100), nullptr);
    driver::Press(box, IDOK);
    EXPECT_EQ(failing.WaitForExit(10000), std::optional<DWORD>(kExitFailed));
    EXPECT_FALSE(Setting(L"station[0].city").has_value()) << "nothing loaded, nothing stored";
}

TEST_F(Rovandel2EndToEnd, PersonalRecordForTheStartCurrentRecordForTheDestinationAndTheVisitBack) {
    StartAct();
    StartRovandel();
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);

    Click(window, c::cmdPersoenlicherDatensatzStart.id);
    ASSERT_TRUE(TextBecomes(window, c::txbrouteEntry_start_city.id, L"München"));
    ASSERT_TRUE(Idle(window));
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_start_street.id)), L"Schloßstraße 7");
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_start_houseNo.id)), L"7");
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_start_zip.id)), L"80331");
    EXPECT_EQ(SendMessageW(GetDlgItem(window, c::cbxrouteEntry_start_country.id), CB_GETCURSEL, 0, 0), 0);

    Click(window, c::cmdAktuellerDatensatzZiel.id);
    ASSERT_TRUE(TextBecomes(window, c::txbrouteEntry_dest_city.id, L"Köln"));
    ASSERT_TRUE(Idle(window));
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_dest_street.id)), L"Hauptstraße 12b");
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_dest_houseNo.id)), L"12");
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_dest_zip.id)), L"50667");

    // ACT! went to the user's record, read it, and back to the contact it showed.
    const std::string log = m_Act.LogText();
    const std::size_t visit = log.find("ContactView.GoTo(VT_BSTR:\"K00000000001\")");
    const std::size_t read = log.find("ContactView.GetField(VT_I4:30)", visit);
    const std::size_t back = log.find("ContactView.GoTo(VT_BSTR:\"K00000000002\")", read);
    EXPECT_NE(log.find("Application.GetUserId()"), std::string::npos);
    EXPECT_NE(visit, std::string::npos);
    EXPECT_NE(read, std::string::npos);
    EXPECT_NE(back, std::string::npos);
    EXPECT_NE(log.find("ContactView.LookupAll()"), std::string::npos);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_Rovandel->WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(Setting(L"station[0].city"), L"München");
    EXPECT_EQ(Setting(L"station[1].street"), L"Hauptstraße 12b");
    EXPECT_EQ(Setting(L"station[1].country.isoCode"), L"0");
}

TEST_F(Rovandel2EndToEnd, ActVanishingDuringACaptureOrClosedBetweenTwoClicksLeavesAUsableWindow) {
    StartAct(L"--vanish-on GetField");
    StartRovandel();
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    Click(window, c::cmdAktuellerDatensatzStart.id);
    HWND box = driver::FindMessageBox(m_Rovandel->Id(), L"Rovandel2", 20000);
    ASSERT_NE(box, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    EXPECT_EQ(info.text.rfind(L"Die Adresse konnte nicht vollständig aus ACT! übernommen werden.\r\nFehlernummer: ", 0),
              0u)
        << testing::PrintToString(info.text);
    driver::Press(box, IDOK);
    ASSERT_TRUE(Idle(window));
    EXPECT_EQ(TextOf(GetDlgItem(window, c::txbrouteEntry_start_city.id)), L"");
    EXPECT_EQ(m_Act.Process().WaitForExit(5000), std::optional<DWORD>(3));
    m_Act.Forget();

    // ACT! is gone now: the next click empties the boxes without a word.
    SendMessageW(GetDlgItem(window, c::txbrouteEntry_dest_city.id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Bonn"));
    Click(window, c::cmdPersoenlicherDatensatzZiel.id);
    ASSERT_TRUE(TextBecomes(window, c::txbrouteEntry_dest_city.id, L""));
    ASSERT_TRUE(Idle(window));
    EXPECT_EQ(driver::FindMessageBox(m_Rovandel->Id(), L"", 500), nullptr);
    EXPECT_TRUE(m_Rovandel->WaitForExit(0) == std::nullopt);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_Rovandel->WaitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(Rovandel2EndToEnd, EscapeEndsTheProgramAtOnceAndNothingIsStored) {
    StartAct();
    StartRovandel();
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    HWND city = GetDlgItem(window, c::txbrouteEntry_start_city.id);
    SendMessageW(city, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Kassel"));
    PostMessageW(city, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(m_Rovandel->WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_FALSE(Setting(L"station[0].city").has_value());
}

}  // namespace

// Window search, presence test and bringing to front, on real windows.
#include <windows.h>

#include <gtest/gtest.h>


#include <stdexcept>
#include <vector>

#include "base/AppError.h"
#include "common/modACTHandle.h"
#include "common/modprevinst.h"
#include "platform/TextCodec_win.h"
#include "platform/WindowSystem_win.h"
#include "support/TestWindow_win.h"

using support::TestWindow;

namespace {

class RealWindows : public testing::Test {
protected:
    platform::WinWindowSystem windows;
    platform::WinTextCodec text;

    bool ActRunning() { return modACTHandle::IsACTRunning(windows, text); }
};

TEST_F(RealWindows, ActIsRunningWhileAVisibleOrMinimisedMainWindowOfItsClassAndTitleExists) {
    EXPECT_FALSE(ActRunning());
    {
        TestWindow act(L"ACT3.0FrameClass", L"ACT! - Kontakte.dbf");
        EXPECT_TRUE(ActRunning());
    }
    EXPECT_FALSE(ActRunning());
    {
        TestWindow hidden(L"ACT3.0FrameClass", L"ACT! - Kontakte.dbf", SW_HIDE);
        EXPECT_FALSE(ActRunning());
    }
    {
        TestWindow minimised(L"ACT3.0FrameClass", L"Kundenmanager", SW_SHOWMINNOACTIVE);
        EXPECT_TRUE(ActRunning());
    }
    {
        TestWindow lower(L"ACT3.0FrameClass", L"act! - kontakte");
        EXPECT_FALSE(ActRunning());
    }
    {
        TestWindow oddCase(L"aCT3.0FRAMEcLASS-Kopie", L"ACT!");
        EXPECT_TRUE(ActRunning());
    }
    {
        TestWindow otherClass(L"Notepad-Test", L"ACT! - Kontakte");
        EXPECT_FALSE(ActRunning());
    }
    {
        TestWindow late(L"ACT3.0FrameClass", std::wstring(50, L'x') + L"ACT!");
        EXPECT_FALSE(ActRunning());
    }
    {
        TestWindow shifted(L"ACT3.0FrameClass", std::wstring(20, L' ') + std::wstring(46, L'x') + L"ACT!");
        EXPECT_TRUE(ActRunning());
    }
}

TEST_F(RealWindows, TheMatchReachedLastInThePlatformsOrderIsFound) {
    TestWindow a(L"TessivarTestSuche", L"Suche A");
    TestWindow b(L"TessivarTestSuche", L"Suche B");
    std::vector<HWND> order;
    windows.EnumTopLevelWindows([&](platform::WindowHandle h) {
        order.push_back(reinterpret_cast<HWND>(h));
        return true;
    });
    const auto posA = std::find(order.begin(), order.end(), a.hwnd());
    const auto posB = std::find(order.begin(), order.end(), b.hwnd());
    const HWND expected = posA > posB ? a.hwnd() : b.hwnd();
    EXPECT_EQ(modACTHandle::FindTopLevelWindow(windows, text, "tessivartestsuche", "Suche"),
              reinterpret_cast<std::uintptr_t>(expected));
    EXPECT_EQ(modACTHandle::FindTopLevelWindow(windows, text, "tessivartestsuche", "Suche A"), a.handle());
    EXPECT_EQ(modACTHandle::FindTopLevelWindow(windows, text, "tessivartestsuche", "suche"), 0u);
}

TEST_F(RealWindows, TitlesAndClassNamesComeBackAsUtf8) {
    TestWindow w(L"TessivarTestTitel", L"   Kundenmanager \u2013 M\u00FCller & S\u00F6hne");
    TestWindow untitled(L"TessivarTestTitel", L"");
    EXPECT_EQ(modACTHandle::GetWindowTitle(windows, w.handle()), "Kundenmanager – Müller & Söhne");
    EXPECT_EQ(modACTHandle::GetWindowTitle(windows, untitled.handle()), "NoText");
    EXPECT_EQ(modACTHandle::GetWindowClassLower(windows, text, w.handle()), "tessivartesttitel");
    HWND gone;
    {
        TestWindow temporary(L"TessivarTestTitel", L"weg");
        gone = temporary.hwnd();
    }
    EXPECT_EQ(modACTHandle::GetWindowTitle(windows, reinterpret_cast<std::uintptr_t>(gone)), "");
}

// Whether a window maximised before it was minimised comes back maximised is
// up to the window manager (Wine restores it maximised); the placement
// written is checked over the substitute.
TEST_F(RealWindows, AMinimisedWindowComesBackInItsNormalPlace) {
    TestWindow w(L"TessivarTestFront", L"Vorne");
    RECT before;
    GetWindowRect(w.hwnd(), &before);
    ShowWindow(w.hwnd(), SW_MINIMIZE);
    support::PumpMessages();
    ASSERT_TRUE(IsIconic(w.hwnd()));
    modprevinst::RestoreOrRaiseWindow(windows, w.handle());
    support::PumpMessages();
    EXPECT_FALSE(IsIconic(w.hwnd()));
    EXPECT_FALSE(IsZoomed(w.hwnd()));
    RECT after;
    GetWindowRect(w.hwnd(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

TEST_F(RealWindows, ActivatingByTitleBringsTheWindowForwardAndLeavesItNotTopmost) {
    TestWindow other(L"TessivarTestFront", L"Anderes Fenster");
    TestWindow act(L"TessivarTestFront", L"Kundenmanager - Testdaten");
    SetForegroundWindow(other.hwnd());
    modprevinst::ActivateWindowByTitle(windows, text, "Kundenmanager");
    support::PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), act.hwnd());
    EXPECT_EQ(GetWindowLongW(act.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    EXPECT_THROW(modprevinst::ActivateWindowByTitle(windows, text, "Gibt es nicht 4711"), AppError);
}

TEST_F(RealWindows, AnExceptionInTheEnumerationCallbackEndsItAndReachesTheCaller) {
    TestWindow w(L"TessivarTestEnum", L"Enum");
    int calls = 0;
    EXPECT_THROW(windows.EnumTopLevelWindows([&](platform::WindowHandle) -> bool {
        ++calls;
        throw std::runtime_error("aus dem Rückruf");
    }),
                 std::runtime_error);
    EXPECT_EQ(calls, 1);
    int all = 0;
    windows.EnumTopLevelWindows([&](platform::WindowHandle) {
        ++all;
        return true;
    });
    EXPECT_GT(all, 1);
}

TEST_F(RealWindows, DoEventsRunsPendingMessages) {
    TestWindow w(L"TessivarTestEnum", L"Pumpe");
    PostMessageW(w.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(w.appMessages(), 0);
    windows.DoEvents();
    EXPECT_EQ(w.appMessages(), 1);
}

}  // namespace

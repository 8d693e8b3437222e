// A stand-in for a running ACT! with a database open: a main window of
// ACT!'s window class whose title starts like ACT!'s and which shows the
// current contact, and an automation server under "ACTOLE.APPOBJECT" that
// answers the calls the programs make, for the demo and the end-to-end tests.
//
//   actstandin.exe [--title TEXT] [--class NAME] [--hidden] [--minimized] [--seconds N]
//                  [--data FILE] [--log FILE] [--no-database] [--no-view N] [--closedb N]
//                  [--fail MEMBER] [--vanish-on MEMBER] [--slow MEMBER MS] [--idle-seconds N]
//   actstandin.exe --register | --unregister      (HKLM and HKCU; exit code 0 on success)
//   actstandin.exe -Embedding                     (started by COM; ends when idle)
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "actstandin/StandinServer_win.h"
#include "base/AppError.h"
#include "ui/Timer_win.h"
#include "ui/Window_win.h"

namespace {

struct Options {
    std::wstring title;  // empty: from the database
    std::wstring className = L"ACT3.0FrameClass";
    std::wstring dataFile;
    int show = SW_SHOWNORMAL;
    UINT seconds = 0;  // 0 = until closed
    bool noDatabase = false;
    enum class Mode { Run, Register, Unregister } mode = Mode::Run;
};

Options ParseOptions(standin::Server& server) {
    Options o;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool more = i + 1 < argc;
        if (a == L"--title" && more)
            o.title = argv[++i];
        else if (a == L"--class" && more)
            o.className = argv[++i];
        else if (a == L"--hidden")
            o.show = SW_HIDE;
        else if (a == L"--minimized")
            o.show = SW_SHOWMINNOACTIVE;
        else if (a == L"--seconds" && more)
            o.seconds = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--data" && more)
            o.dataFile = argv[++i];
        else if (a == L"--log" && more)
            server.logPath = argv[++i];
        else if (a == L"--no-database")
            o.noDatabase = true;
        else if (a == L"--no-view" && more)
            server.faults.noView = _wtoi(argv[++i]);
        else if (a == L"--closedb" && more)
            server.faults.closeDbAnswer = _wtol(argv[++i]);
        else if (a == L"--fail" && more)
            server.faults.failMember = argv[++i];
        else if (a == L"--vanish-on" && more)
            server.faults.vanishMember = argv[++i];
        else if (a == L"--slow" && i + 2 < argc) {
            server.faults.slowMember = argv[++i];
            server.faults.slowMs = static_cast<DWORD>(_wtol(argv[++i]));
        } else if (a == L"--idle-seconds" && more)
            server.idleSeconds = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--register")
            o.mode = Options::Mode::Register;
        else if (a == L"--unregister")
            o.mode = Options::Mode::Unregister;
        else if (_wcsicmp(a.c_str(), L"-Embedding") == 0 || _wcsicmp(a.c_str(), L"/Embedding") == 0)
            server.embedding = true;
    }
    LocalFree(argv);
    return o;
}

void PaintContact(HDC dc, RECT rc) {
    const standin::Server& server = standin::TheServer();
    std::wstring text;
    if (server.data.database.empty()) {
        text = L"ACT! (Stellvertreter) \u2013 keine Datenbank ge\u00F6ffnet";
    } else if (const standin::Record* r = standin::FindContact(server.data.currentContact)) {
        auto field = [r](int n) {
            auto it = r->fields.find(n);
            return it == r->fields.end() ? std::wstring() : it->second;
        };
        text = L"Aktueller Kontakt [" + field(1) + L"]\r\n\r\n" + field(2) + L"\r\n" + field(3) + L"\r\n" + field(27) +
               L"\r\n" + field(32) + L" " + field(30) + L"\r\n" + field(33);
    } else {
        text = L"ACT! (Stellvertreter) \u2013 kein aktueller Kontakt";
    }
    FillRect(dc, &rc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    InflateRect(&rc, -16, -16);
    DrawTextW(dc, text.c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

// ACT!'s main window as the programs recognise it: its class and its title.
class MainWindow : public ui::Window {
public:
    explicit MainWindow(const std::wstring& className) : ui::Window(className) {}

    void Open(const Options& o) {
        Create({.caption = "ACT!",
                .style = WS_OVERLAPPEDWINDOW,
                .innerWidth = 9600,
                .innerHeight = 6300,
                .center = false,
                .position = POINT{40, 40}});
        // Timer 1: --seconds ran out. Timer 2: a server started by COM has had no client for a while.
        if (o.seconds > 0) {
            ui::Timer& ends = AddTimer(o.seconds * 1000);
            ends.onTick = [this] { Destroy(); };
            ends.Start();
        }
        if (standin::TheServer().embedding) {
            ui::Timer& idle = AddTimer(standin::TheServer().idleSeconds * 1000);
            idle.onTick = [this, &idle] {
                if (standin::TheServer().objects == 0)
                    Destroy();
                else
                    idle.Stop();
            };
            idle.Start();
        }
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_PAINT) return Default(msg, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        RECT rc;
        GetClientRect(hwnd(), &rc);
        PaintContact(dc, rc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    void OnDestroy() override { standin::TheServer().window = nullptr; }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    standin::Server& server = standin::TheServer();
    const Options o = ParseOptions(server);
    if (o.mode == Options::Mode::Register) return standin::RegisterServer();
    if (o.mode == Options::Mode::Unregister) return standin::UnregisterServer();

    server.data = standin::LoadData(o.dataFile);
    if (o.noDatabase) server.data.database.clear();
    server.fixedTitle = o.title;

    // Registered before the window shows: a client that sees the window must
    // find the running server, not start a second one.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (com) standin::RegisterFactory();
    {
        MainWindow window(o.className);
        try {
            window.Open(o);
        } catch (const AppError&) {
            return 1;
        }
        server.window = window.hwnd();
        standin::DataChanged();
        window.Show(o.show);
        window.RunUntilClosed();
    }
    standin::RevokeFactory();
    if (com) CoUninitialize();
    return 0;
}

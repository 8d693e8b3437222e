// A stand-in for a running ACT! with a database open: a main window of
// ACT!'s window class whose title starts like ACT!'s and which shows the
// current contact, and an automation server under "ACTOLE.APPOBJECT" that
// answers the calls the programs make, for the demo and the end-to-end tests.
//
//   actstandin.exe [--title TEXT] [--class NAME] [--hidden] [--minimized] [--seconds N]
//                  [--data FILE] [--log FILE] [--no-database] [--no-view N] [--closedb N]
//                  [--fail MEMBER] [--vanish-on MEMBER] [--idle-seconds N]
//   actstandin.exe --register | --unregister      (HKLM and HKCU; exit code 0 on success)
//   actstandin.exe -Embedding                     (started by COM; ends when idle)
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "actstandin/StandinServer_win.h"

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
        if (a == L"--title" && more) o.title = argv[++i];
        else if (a == L"--class" && more) o.className = argv[++i];
        else if (a == L"--hidden") o.show = SW_HIDE;
        else if (a == L"--minimized") o.show = SW_SHOWMINNOACTIVE;
        else if (a == L"--seconds" && more) o.seconds = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--data" && more) o.dataFile = argv[++i];
        else if (a == L"--log" && more) server.logPath = argv[++i];
        else if (a == L"--no-database") o.noDatabase = true;
        else if (a == L"--no-view" && more) server.faults.noView = _wtoi(argv[++i]);
        else if (a == L"--closedb" && more) server.faults.closeDbAnswer = _wtol(argv[++i]);
        else if (a == L"--fail" && more) server.faults.failMember = argv[++i];
        else if (a == L"--vanish-on" && more) server.faults.vanishMember = argv[++i];
        else if (a == L"--idle-seconds" && more) server.idleSeconds = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--register") o.mode = Options::Mode::Register;
        else if (a == L"--unregister") o.mode = Options::Mode::Unregister;
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

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            PaintContact(dc, rc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_TIMER:
            // Timer 1: --seconds ran out. Timer 2: a server started by COM has had no client for a while.
            if (wParam == 1 || standin::TheServer().objects == 0) DestroyWindow(hwnd);
            else KillTimer(hwnd, wParam);
            return 0;
        case WM_DESTROY:
            standin::TheServer().window = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance, const Options& o) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = o.className.c_str();
    if (!RegisterClassW(&wc)) return nullptr;
    return CreateWindowExW(0, o.className.c_str(), L"ACT!", WS_OVERLAPPEDWINDOW, 40, 40, 640, 420, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
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
    HWND hwnd = CreateMainWindow(instance, o);
    if (hwnd == nullptr) return 1;
    server.window = hwnd;
    standin::DataChanged();
    ShowWindow(hwnd, o.show);
    UpdateWindow(hwnd);
    if (o.seconds > 0) SetTimer(hwnd, 1, o.seconds * 1000, nullptr);

    if (server.embedding) SetTimer(hwnd, 2, server.idleSeconds * 1000, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    standin::RevokeFactory();
    if (com) CoUninitialize();
    return 0;
}

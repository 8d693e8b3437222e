// Reads another program's message box from outside and, on request,
// answers it: the demo's stand-in for a user.
//
//   boxdriver.exe [--title TEXT] [--class NAME] [--timeout MS] [--press ok|yes|no|cancel]
//                 [--text ID]... [--click ID] [--scroll ID] [--file PATH] [--close]
// Prints the box (title, text, icon, buttons) and exits 0, or 1 when no box appeared.
// For a program's own window: --text prints the text of its control ID,
// --click clicks that control as the user would (buttons, clickable
// pictures), --scroll scrolls that list view to its right end (its last
// columns in sight), --close asks the window to close. --file answers an
// open, save or folder dialog with that file or folder name.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/BoxDriver_win.h"

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::string Escaped(const std::wstring& w) {
    std::string out;
    for (char c : Utf8(w)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring title;
    DWORD timeout = 15000;
    std::string press;
    std::wstring className = L"#32770";
    std::vector<int> textIds;
    int clickId = 0;
    int scrollId = 0;
    std::wstring file;
    bool close = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--title" && i + 1 < argc)
            title = argv[++i];
        else if (a == L"--timeout" && i + 1 < argc)
            timeout = static_cast<DWORD>(_wtoi(argv[++i]));
        else if (a == L"--press" && i + 1 < argc)
            press = Utf8(argv[++i]);
        else if (a == L"--class" && i + 1 < argc)
            className = argv[++i];
        else if (a == L"--text" && i + 1 < argc)
            textIds.push_back(_wtoi(argv[++i]));
        else if (a == L"--click" && i + 1 < argc)
            clickId = _wtoi(argv[++i]);
        else if (a == L"--scroll" && i + 1 < argc)
            scrollId = _wtoi(argv[++i]);
        else if (a == L"--file" && i + 1 < argc)
            file = argv[++i];
        else if (a == L"--close")
            close = true;
    }
    HWND box = driver::FindWindowOfClass(className, 0, title, timeout);
    if (box == nullptr) {
        std::printf("no message box\n");
        return 1;
    }
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    std::printf("title: %s\ntext: %s\nicon: %s\nbuttons:", Escaped(info.title).c_str(), Escaped(info.text).c_str(),
                info.icon.c_str());
    for (int id : info.buttons) std::printf(" %s", driver::ButtonName(id));
    std::printf("\n");
    std::fflush(stdout);
    for (int id : textIds) {
        wchar_t text[1024] = {};
        SendMessageW(GetDlgItem(box, id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
        std::printf("control %d: %s\n", id, Escaped(text).c_str());
    }
    if (scrollId != 0) SendMessageW(GetDlgItem(box, scrollId), LVM_SCROLL, 100000, 0);
    // Posted: the click may open a box of its own.
    if (clickId != 0 && !driver::Click(box, clickId)) {
        std::printf("no control %d\n", clickId);
        return 1;
    }
    if (!file.empty() && !driver::AnswerFileDialog(box, file)) {
        std::printf("no file name field\n");
        return 1;
    }
    if (close) PostMessageW(box, WM_CLOSE, 0, 0);
    if (!press.empty() && !driver::Press(box, driver::ButtonId(press))) {
        std::printf("no button '%s'\n", press.c_str());
        return 1;
    }
    return 0;
}

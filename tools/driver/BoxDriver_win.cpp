#include "driver/BoxDriver_win.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "platform/Handles_win.h"
#include "ui/Canvas_win.h"

namespace driver {
namespace {

std::wstring TextOf(HWND hwnd) {
    // WM_GETTEXT is marshalled across processes by the system.
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT n =
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> data;  // RGB() values, row by row from the top
};

Pixels Read(const ui::Canvas& canvas) {
    Pixels p{canvas.Width(), canvas.Height(), {}};
    p.data.reserve(static_cast<std::size_t>(p.width * p.height));
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) p.data.push_back(canvas.Pixel(x, y));
    }
    return p;
}

// The icon as it stands on screen.
Pixels CaptureScreen(const RECT& rc) {
    ui::Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    const platform::UniqueWindowDC screen = platform::ClientDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, screen.get(), rc.left, rc.top, SRCCOPY);
    return Read(canvas);
}

Pixels RenderIcon(HICON icon, int w, int h, COLORREF background) {
    ui::Canvas canvas(w, h);
    canvas.Fill(background);
    DrawIconEx(canvas.dc(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    return Read(canvas);
}

int Distance(COLORREF a, COLORREF b) {
    return std::abs(int(a & 0xFF) - int(b & 0xFF)) + std::abs(int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF)) +
           std::abs(int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF));
}

// Icon handles belong to their process, so the icon is recognised by its
// look: each system icon is drawn here on black and on white, the pixels
// that come out the same on both are the icon's own, and the candidate whose
// own pixels differ least from the screen wins.
std::string IdentifyIcon(HWND iconControl) {
    RECT rc;
    GetWindowRect(iconControl, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return "none";
    const Pixels shot = CaptureScreen(rc);
    struct Candidate {
        const char* name;
        LPCWSTR id;
    };
    const std::array<Candidate, 4> candidates = {{{"information", IDI_INFORMATION},
                                                  {"exclamation", IDI_WARNING},
                                                  {"question", IDI_QUESTION},
                                                  {"critical", IDI_ERROR}}};
    std::string best = "unknown";
    double bestScore = std::numeric_limits<double>::max();
    for (const Candidate& c : candidates) {
        HICON icon = LoadIconW(nullptr, c.id);
        const Pixels black = RenderIcon(icon, w, h, RGB(0, 0, 0));
        const Pixels white = RenderIcon(icon, w, h, RGB(255, 255, 255));
        long long sum = 0, count = 0;
        for (std::size_t i = 0; i < shot.data.size(); ++i) {
            if (Distance(black.data[i], white.data[i]) > 6) continue;
            sum += Distance(black.data[i], shot.data[i]);
            ++count;
        }
        if (count == 0) continue;
        const double score = double(sum) / double(count);
        if (score < bestScore) {
            bestScore = score;
            best = c.name;
        }
    }
    return bestScore < 40.0 ? best : "unknown";
}

struct BoxSearch {
    const std::wstring* cls;
    DWORD pid;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK BoxSearchProc(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (s->pid != 0 && pid != s->pid) return TRUE;
    if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != *s->cls) return TRUE;
    if (!s->title->empty() && TextOf(hwnd) != *s->title) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// Stops at the first visible edit field, handing it over through `found`.
BOOL CALLBACK FirstVisibleEdit(HWND child, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Edit") != 0 || !IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

HWND FindMessageBox(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    return FindWindowOfClass(L"#32770", processId, title, timeoutMs);
}

HWND FindWindowOfClass(const std::wstring& className, DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    BoxSearch search{&className, processId, &title, nullptr};
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        EnumWindows(BoxSearchProc, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

BoxInfo ReadMessageBox(HWND box) {
    BoxInfo info;
    info.box = box;
    GetWindowThreadProcessId(box, &info.processId);
    info.title = TextOf(box);
    info.icon = "none";
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const int id = GetDlgCtrlID(child);
        if (cls == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            // The handle belongs to the other process, but whether there is one at all tells.
            const bool hasIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
            if (IsWindowVisible(child) && hasIcon) {
                // The box may not have painted yet: look again for a while.
                for (int attempt = 0; attempt < 40; ++attempt) {
                    info.icon = IdentifyIcon(child);
                    if (info.icon != "unknown") break;
                    Sleep(25);
                }
            }
        } else if (cls == L"Static" && (id == 0xFFFF || (info.text.empty() && IsWindowVisible(child)))) {
            info.text = TextOf(child);
        } else if (cls == L"Button" && IsWindowVisible(child)) {
            info.buttons.push_back(id);
            if ((style & 0x0F) == BS_DEFPUSHBUTTON) info.defaultButton = id;
        }
    }
    return info;
}

// Posted, not sent: the box may open another modal box in answer.
bool Press(HWND box, int id) { return Click(box, id); }

bool AnswerFileDialog(HWND dialog, const std::wstring& path) {
    // The name field: an edit inside the name combo box (cmb13) of the
    // explorer-style dialog, or the edit edt1 of the older one.
    HWND field = nullptr;
    if (HWND combo = GetDlgItem(dialog, 0x47C)) {
        field = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        if (field == nullptr) field = combo;
    }
    if (field == nullptr) field = GetDlgItem(dialog, 0x480);
    // The item dialog of today's look (also the folder dialog) numbers its
    // controls otherwise: its first visible edit field is the name's.
    if (field == nullptr) {
        EnumChildWindows(dialog, FirstVisibleEdit, reinterpret_cast<LPARAM>(&field));
    }
    if (field == nullptr) return false;
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return Click(dialog, IDOK);
}

bool Click(HWND window, int id) {
    HWND button = GetDlgItem(window, id);
    if (button == nullptr) return false;
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

const char* ButtonName(int id) {
    switch (id) {
        case IDOK: return "ok";
        case IDCANCEL: return "cancel";
        case IDYES: return "yes";
        case IDNO: return "no";
        default: return "?";
    }
}

int ButtonId(const std::string& name) {
    if (name == "ok") return IDOK;
    if (name == "cancel") return IDCANCEL;
    if (name == "yes") return IDYES;
    if (name == "no") return IDNO;
    return 0;
}

}  // namespace driver

#include "driver/BoxDriver_win.h"

#include <array>
#include <cstdlib>
#include <limits>

namespace driver {
namespace {

std::wstring TextOf(HWND hwnd) {
    // WM_GETTEXT is marshalled across processes by the system.
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT n = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
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
    std::vector<COLORREF> data;  // 0x00RRGGBB as GetDIBits gives them
};

// A bitmap compatible with the screen, selected into a memory context for
// as long as the object lives; the context's own bitmap is put back after.
class Canvas {
public:
    Canvas(int width, int height)
        : m_Width(width), m_Height(height), m_Screen(GetDC(nullptr)), m_Dc(CreateCompatibleDC(m_Screen)),
          m_Bitmap(CreateCompatibleBitmap(m_Screen, width, height)), m_Old(SelectObject(m_Dc, m_Bitmap)) {}
    ~Canvas() {
        SelectObject(m_Dc, m_Old);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
        ReleaseDC(nullptr, m_Screen);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_Dc; }
    HDC screen() const { return m_Screen; }

    Pixels Read() const {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = m_Width;
        bi.bmiHeader.biHeight = -m_Height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        Pixels p{m_Width, m_Height, std::vector<COLORREF>(static_cast<std::size_t>(m_Width * m_Height))};
        // GetDIBits wants the bitmap out of every context while it reads.
        SelectObject(m_Dc, m_Old);
        GetDIBits(m_Dc, m_Bitmap, 0, static_cast<UINT>(m_Height), p.data.data(), &bi, DIB_RGB_COLORS);
        SelectObject(m_Dc, m_Bitmap);
        return p;
    }

private:
    int m_Width, m_Height;
    HDC m_Screen;
    HDC m_Dc;
    HBITMAP m_Bitmap;
    HGDIOBJ m_Old;
};

// The icon as it stands on screen.
Pixels CaptureScreen(const RECT& rc) {
    Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    BitBlt(canvas.dc(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, canvas.screen(), rc.left, rc.top, SRCCOPY);
    return canvas.Read();
}

Pixels RenderIcon(HICON icon, int w, int h, COLORREF background) {
    Canvas canvas(w, h);
    RECT rc{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(canvas.dc(), &rc, brush);
    DeleteObject(brush);
    DrawIconEx(canvas.dc(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    return canvas.Read();
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
    struct Candidate { const char* name; LPCWSTR id; };
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

bool Press(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    if (button == nullptr) return false;
    // Posted, not sent: the box may open another modal box in answer.
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
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

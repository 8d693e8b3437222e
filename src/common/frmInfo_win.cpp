#include "common/frmInfo_win.h"

#include <algorithm>
#include <cstring>

#include "platform/WinText_win.h"
#include "ui/Label_win.h"
#include "ui/Paint_win.h"
#include "ui/PictureBox_win.h"
#include "ui/Timer_win.h"

namespace c = InfoControls;

std::optional<ProgramVersion> ReadProgramVersion(HMODULE module) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(module, found);
    if (data == nullptr) return std::nullopt;
    // The fixed part follows the key "VS_VERSION_INFO" at the next 32-bit
    // boundary; it is found by its signature.
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        VS_FIXEDFILEINFO fixed{};
        std::memcpy(&fixed, data + offset, sizeof(fixed));
        if (fixed.dwSignature != 0xFEEF04BD) continue;
        return ProgramVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                              HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS)};
    }
    return std::nullopt;
}

// The notices lie beside the program, in the archive's folders and where
// the packages install it.
std::string NoticesPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return platform::Narrow(path.substr(0, path.find_last_of(L'\\') + 1) + L"Drittanbieter.txt");
}

frmInfo::frmInfo(InfoContent content, clInfo::Services services)
    : ui::FormWindow(kClassName),
      m_Content(std::move(content)),
      m_Logic(services, *this,
              {VersionText(ReadProgramVersion(nullptr)), m_Content.rights, m_Content.linkText, m_Content.linkAddress,
               NoticesPath()}) {}

void frmInfo::Open(HWND owner) {
    if (IsOpen()) return;
    Create(ui::DialogFrame(std::string(texts::kInfoTitle), kWidth * ui::kTwipsPerPixelAt96Dpi,
                           kHeight * ui::kTwipsPerPixelAt96Dpi, owner));
}

void frmInfo::ShowModal(HWND owner) {
    Open(owner);
    ui::Window::ShowModal(owner);
}

ui::PictureBox& frmInfo::picScrollText() const { return At<ui::PictureBox>(c::picScrollText); }
ui::Label& frmInfo::lbVersion() const { return At<ui::Label>(c::lbVersion); }
ui::Label& frmInfo::lbCopyright() const { return At<ui::Label>(c::lbCopyright); }
ui::Label& frmInfo::lbBH() const { return At<ui::Label>(c::lbBH); }

// The texts lie on the art; the link has a colour of its own.
ui::Label::Options frmInfo::LabelStyle(const ui::ControlEntry& entry) const {
    return {.mnemonic = !entry.plainText,
            .transparent = true,
            .color = entry.id == c::lbBH.id || entry.id == c::lbDrittanbieter.id ? m_Content.linkColour
                                                                                 : m_Content.textColour};
}

void frmInfo::OnCreate() {
    m_ilScrollTexte = ui::ImageList();
    if (m_Content.credits) {
        // The image list takes its own copy: the window can be shown again.
        const HBITMAP copy = static_cast<HBITMAP>(CopyImage(m_Content.credits.get(), IMAGE_BITMAP, 0, 0, 0));
        m_ilScrollTexte.Add("ScrollText", platform::UniqueBitmap(copy));
    }
    AddControls(c::All());
    lbBH().SetTag(m_Content.linkAddress);
    for (ui::LabelId label : {c::lbVersion, c::lbCopyright})
        At<ui::Label>(label).onClick = [this] { m_Logic.Form_Click(); };
    picScrollText().onClick = [this] { m_Logic.Form_Click(); };
    lbBH().onClick = [this] { m_Logic.lbBH_Click(); };
    lbBH().onMouseMove = [this] { m_Logic.lbBH_MouseMove(); };
    At<ui::Label>(c::lbDrittanbieter).onClick = [this] { m_Logic.lbDrittanbieter_Click(); };
    At<ui::Label>(c::lbDrittanbieter).SetUnderline(true);

    m_Logic.Form_Load();
    m_Timer1 = &AddTimer(kTickMs);
    m_Timer1->onTick = [this] { m_Logic.Timer1_Timer(); };
    m_Timer1->Start();
}

std::int32_t frmInfo::CreditHeight() const { return m_ilScrollTexte.Count() > 0 ? m_ilScrollTexte.Size(1).cy : 0; }

// One picture pixel to one pixel of the viewport at 96 DPI, scaled with the DPI else.
void frmInfo::DrawCredits(std::int32_t row) {
    ui::PictureBox& viewport = picScrollText();
    HDC surface = viewport.Surface();
    const SIZE size = viewport.PixelSize();
    HBITMAP picture = m_ilScrollTexte.Picture(1);
    if (picture != nullptr) {
        const platform::UniqueDC source(CreateCompatibleDC(surface));
        const platform::SelectedObject selected(source.get(), picture);
        if (size.cx == c::kViewportWidth && size.cy == c::kViewportHeight) {
            BitBlt(surface, 0, 0, c::kViewportWidth, c::kViewportHeight, source.get(), 0, row, SRCCOPY);
        } else {
            SetStretchBltMode(surface, HALFTONE);
            SetBrushOrgEx(surface, 0, 0, nullptr);
            StretchBlt(surface, 0, 0, size.cx, size.cy, source.get(), 0, row, c::kViewportWidth, c::kViewportHeight,
                       SRCCOPY);
        }
    }
    viewport.Refresh();
}

void frmInfo::SetLinkUnderlined(bool underlined) { lbBH().SetUnderline(underlined); }

void frmInfo::LetEventsRun() { platform::PumpPending(); }

void frmInfo::Close() {
    if (IsOpen()) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool frmInfo::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}

void frmInfo::OnClick(int, int) { m_Logic.Form_Click(); }

void frmInfo::OnMouseMove(int, int) { m_Logic.Form_MouseMove(); }

LRESULT frmInfo::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        const SIZE client = ClientSize();
        ui::DrawStretched(reinterpret_cast<HDC>(wParam), {0, 0, client.cx, client.cy}, m_Content.background.get());
        return 1;
    }
    return Default(msg, wParam, lParam);
}

#include "common/frmInfo_win.h"

#include <algorithm>
#include <cstring>

#include "ui/Label_win.h"
#include "ui/Paint_win.h"
#include "ui/PictureBox_win.h"
#include "ui/Timer_win.h"
#include "ui/ToolTips_win.h"

namespace {

constexpr int kTwipsPerPixel = ui::kTwipsPerPixelAt96Dpi;

ui::Place PlaceOf(const RECT& rc) {
    return {rc.left * kTwipsPerPixel, rc.top * kTwipsPerPixel, (rc.right - rc.left) * kTwipsPerPixel,
            (rc.bottom - rc.top) * kTwipsPerPixel};
}

}  // namespace

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

std::string VersionText(const std::optional<ProgramVersion>& version) {
    const ProgramVersion v = version.value_or(ProgramVersion{});
    return std::string(texts::kInfoVersionPrefix) + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

frmInfo::frmInfo(InfoContent content) : ui::Window(kClassName), m_Content(std::move(content)) {}

void frmInfo::Open(HWND owner) {
    if (IsOpen()) return;
    Create(ui::DialogFrame(std::string(texts::kInfoTitle), kWidth * kTwipsPerPixel, kHeight * kTwipsPerPixel, owner));
}

void frmInfo::ShowModal(HWND owner) {
    Open(owner);
    ui::Window::ShowModal(owner);
}

void frmInfo::OnCreate() {
    m_Offset = 0;
    m_ilScrollTexte = ui::ImageList();
    if (m_Content.credits) {
        // The image list takes its own copy: the window can be shown again.
        const HBITMAP copy = static_cast<HBITMAP>(CopyImage(m_Content.credits.get(), IMAGE_BITMAP, 0, 0, 0));
        m_ilScrollTexte.Add("ScrollText", platform::UniqueBitmap(copy));
    }

    const ui::Label::Options text{.mnemonic = false, .transparent = true, .color = m_Content.textColour};
    m_lbVersion =
        &Add<ui::Label>("lbVersion", PlaceOf(m_Content.version), VersionText(ReadProgramVersion(nullptr)), text);
    m_lbCopyright = &Add<ui::Label>("lbCopyright", PlaceOf(m_Content.copyright), m_Content.rights, text);
    m_lbBH = &Add<ui::Label>("lbBH", PlaceOf(m_Content.link), m_Content.linkText,
                             ui::Label::Options{.mnemonic = false, .transparent = true, .color = m_Content.linkColour});
    m_lbBH->SetTag(m_Content.linkAddress);
    Tips().Set(*m_lbBH, texts::kInfoLinkTip);
    m_picScrollText = &Add<ui::PictureBox>("picScrollText", PlaceOf(m_Content.scrollText));

    for (ui::Label* label : {m_lbVersion, m_lbCopyright}) label->onClick = [this] { Unload(); };
    m_picScrollText->onClick = [this] { Unload(); };
    m_lbBH->onClick = [this] { OpenLink(); };
    m_lbBH->onMouseMove = [this] {
        if (m_lbBH->Underlined() && GetPointer() == ui::Pointer::UpArrow) return;
        m_lbBH->SetUnderline(true);
        SetPointer(ui::Pointer::UpArrow);
        platform::PumpPending();
    };

    DrawViewport(0);
    m_Timer1 = &AddTimer(kTickMs);
    m_Timer1->onTick = [this] { Tick(); };
    m_Timer1->Start();
}

// One row further each tick; after the last row that still fills the
// viewport the text starts again from its top.
void frmInfo::Tick() {
    DrawViewport(m_Offset);
    ++m_Offset;
    const std::int32_t imageHeight = m_ilScrollTexte.Count() > 0 ? m_ilScrollTexte.Size(1).cy : 0;
    if (m_Offset > imageHeight - kViewportHeight - 1) m_Offset = 0;
}

// The viewport-sized part of the credit picture from `row` on, one picture
// pixel to one pixel of the viewport at 96 DPI, scaled with the DPI else.
void frmInfo::DrawViewport(std::int32_t row) {
    HDC surface = m_picScrollText->Surface();
    const SIZE size = m_picScrollText->PixelSize();
    HBITMAP picture = m_ilScrollTexte.Picture(1);
    if (picture != nullptr) {
        const platform::UniqueDC source(CreateCompatibleDC(surface));
        const platform::SelectedObject selected(source.get(), picture);
        if (size.cx == kViewportWidth && size.cy == kViewportHeight) {
            BitBlt(surface, 0, 0, kViewportWidth, kViewportHeight, source.get(), 0, row, SRCCOPY);
        } else {
            SetStretchBltMode(surface, HALFTONE);
            SetBrushOrgEx(surface, 0, 0, nullptr);
            StretchBlt(surface, 0, 0, size.cx, size.cy, source.get(), 0, row, kViewportWidth, kViewportHeight, SRCCOPY);
        }
    }
    m_picScrollText->Refresh();
}

void frmInfo::OpenLink() {
    try {
        if (m_Content.openLink) m_Content.openLink(hwnd(), m_lbBH->Tag());
    } catch (...) {
        Unload();
        throw;
    }
    Unload();
}

// Posted: the handler that asked for it ends before the window goes.
void frmInfo::Unload() {
    if (IsOpen()) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool frmInfo::OnEscape() {
    Unload();
    return true;
}

void frmInfo::OnClick(int, int) { Unload(); }

void frmInfo::OnMouseMove(int, int) {
    if (m_lbBH == nullptr) return;
    m_lbBH->SetUnderline(false);
    if (GetPointer() != ui::Pointer::Default) SetPointer(ui::Pointer::Default);
}

LRESULT frmInfo::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        const SIZE client = ClientSize();
        ui::DrawStretched(reinterpret_cast<HDC>(wParam), {0, 0, client.cx, client.cy}, m_Content.background.get());
        return 1;
    }
    return Default(msg, wParam, lParam);
}

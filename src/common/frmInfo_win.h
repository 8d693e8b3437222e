#pragma once
// The About window of both programs: the program's art filling the window,
// the version from the program's own version resource, a rights notice, a
// link to the maker's web site, and a credit text scrolling slowly upwards
// in a small viewport. A click anywhere in it, or Esc, closes it; a click on
// the link opens the address first. The owner passes what differs between
// the programs and shows it modally:
//
//   InfoContent content;
//   content.background = MyArt();      // 320 x 182
//   content.credits = DrawCreditImage(texts::kMyCredits, ...);
//   content.rights = std::string(texts::kMyRights);
//   content.openLink = [](HWND about, const std::string& address) { ... };
//   frmInfo info(std::move(content));
//   info.ShowModal(ownerWindow);
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/UiTexts.h"
#include "platform/Handles_win.h"
#include "ui/ImageList_win.h"
#include "ui/Window_win.h"

namespace ui {
class Label;
class PictureBox;
class Timer;
}  // namespace ui

// Places in the art are in pixels at 96 DPI; the window grows with the DPI.
struct InfoContent {
    platform::UniqueBitmap background;  // drawn for 320 x 182, fills the client area
    platform::UniqueBitmap credits;  // the credit text as a picture, 140 pixels wide
    std::string rights;
    std::string linkText = std::string(texts::kMakerWebAddress);  // what lbBH shows
    std::string linkAddress = std::string(texts::kMakerUrl);  // what a click opens
    // Opens the address; `about` is the About window, for a shell call that
    // wants an owner. The window closes afterwards.
    std::function<void(HWND about, const std::string& address)> openLink;
    RECT scrollText{166, 72, 306, 113};
    RECT version{14, 72, 150, 88};
    RECT copyright{14, 128, 306, 144};
    RECT link{14, 152, 200, 168};
    COLORREF textColour = RGB(255, 255, 255);
    COLORREF linkColour = RGB(255, 214, 102);
};

struct ProgramVersion {
    unsigned major = 0, minor = 0, build = 0, revision = 0;
};

// The file version of `module`'s version resource (FILEVERSION major,
// minor, build, revision); nothing when it has none.
std::optional<ProgramVersion> ReadProgramVersion(HMODULE module);
// "Version " + major.minor.revision ("Version 0.0.0" without a version).
std::string VersionText(const std::optional<ProgramVersion>& version);

class frmInfo : public ui::Window {
public:
    static constexpr const wchar_t* kClassName = L"InfoFenster";
    static constexpr int kWidth = 320, kHeight = 182;  // the art, pixels at 96 DPI
    static constexpr int kViewportWidth = 140, kViewportHeight = 41;
    static constexpr UINT kTickMs = 70;

    explicit frmInfo(InfoContent content);

    // Creates the window over `owner`, shows it modally, returns when it is closed.
    void ShowModal(HWND owner);
    // Creates it hidden; Show and the owner's loop do the rest.
    void Open(HWND owner);

    // The image row shown at the top of the viewport by the next tick.
    std::int32_t ScrollOffset() const { return m_Offset; }
    ui::Timer& Timer1() const { return *m_Timer1; }
    ui::PictureBox& picScrollText() const { return *m_picScrollText; }
    ui::Label& lbVersion() const { return *m_lbVersion; }
    ui::Label& lbCopyright() const { return *m_lbCopyright; }
    ui::Label& lbBH() const { return *m_lbBH; }

protected:
    void OnCreate() override;
    bool OnEscape() override;
    void OnClick(int x, int y) override;
    void OnMouseMove(int x, int y) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Tick();
    void DrawViewport(std::int32_t row);
    void OpenLink();
    void Unload();

    InfoContent m_Content;
    ui::ImageList m_ilScrollTexte;
    std::int32_t m_Offset = 0;
    ui::Timer* m_Timer1 = nullptr;
    ui::PictureBox* m_picScrollText = nullptr;
    ui::Label* m_lbVersion = nullptr;
    ui::Label* m_lbCopyright = nullptr;
    ui::Label* m_lbBH = nullptr;
};

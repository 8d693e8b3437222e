#pragma once
// The About window of both programs, built from its control table
// (InfoControls) over the program's art; what it does lies in clInfo. The
// owner passes what differs between the programs and shows it modally:
//
//   InfoContent content;
//   content.background = MyArt();      // 320 x 182
//   content.credits = DrawCreditImage(texts::kMyCredits, ...);
//   content.rights = std::string(texts::kMyRights);
//   frmInfo info(std::move(content), {shell, boxes, LinkOpening::ThroughLauncher});
//   info.ShowModal(ownerWindow);
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/UiTexts.h"
#include "common/InfoControls.h"
#include "common/clInfo.h"
#include "platform/Handles_win.h"
#include "ui/FormWindow_win.h"
#include "ui/ImageList_win.h"

namespace ui {
class Label;
class PictureBox;
class Timer;
}  // namespace ui

struct InfoContent {
    platform::UniqueBitmap background;  // drawn for 320 x 182 pixels, fills the client area
    platform::UniqueBitmap credits;  // the credit text as a picture, 140 pixels wide
    std::string rights;
    std::string linkText = std::string(texts::kMakerWebAddress);  // what lbBH shows
    std::string linkAddress = std::string(texts::kMakerUrl);  // what a click opens
    COLORREF textColour = RGB(255, 255, 255);
    COLORREF linkColour = RGB(255, 214, 102);
};

// The file version of `module`'s version resource (FILEVERSION major,
// minor, build, revision); nothing when it has none.
std::optional<ProgramVersion> ReadProgramVersion(HMODULE module);

class frmInfo : public ui::FormWindow, public IInfoWindow {
public:
    static constexpr const wchar_t* kClassName = L"InfoFenster";
    static constexpr int kWidth = InfoControls::kWidth, kHeight = InfoControls::kHeight;
    static constexpr UINT kTickMs = 70;

    frmInfo(InfoContent content, clInfo::Services services);

    // Creates the window over `owner`, shows it modally, returns when it is closed.
    void ShowModal(HWND owner);
    // Creates it hidden; Show and the owner's loop do the rest.
    void Open(HWND owner);

    std::int32_t ScrollOffset() const { return m_Logic.ScrollOffset(); }
    ui::Timer& Timer1() const { return *m_Timer1; }
    ui::PictureBox& picScrollText() const;
    ui::Label& lbVersion() const;
    ui::Label& lbCopyright() const;
    ui::Label& lbBH() const;

    // IInfoWindow
    void DrawCredits(std::int32_t row) override;
    std::int32_t CreditHeight() const override;
    void SetLinkUnderlined(bool underlined) override;
    void LetEventsRun() override;
    // Posted: the handler that asked for it ends before the window goes.
    void Close() override;

protected:
    void OnCreate() override;
    bool OnEscape() override;
    void OnClick(int x, int y) override;
    void OnMouseMove(int x, int y) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    ui::Label::Options LabelStyle(const ui::ControlEntry& entry) const override;

private:
    InfoContent m_Content;
    clInfo m_Logic;
    ui::ImageList m_ilScrollTexte;
    ui::Timer* m_Timer1 = nullptr;
};

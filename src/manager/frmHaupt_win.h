#pragma once
// The progress window of the install and removal runs: a banner, the run's
// current message and an OK button that closes it once the run is done.
#include <windows.h>

#include <string>

#include "manager/ProgressWindow.h"

class frmHaupt : public IProgressWindow {
public:
    frmHaupt();
    ~frmHaupt() override;
    frmHaupt(const frmHaupt&) = delete;
    frmHaupt& operator=(const frmHaupt&) = delete;

    void Show(std::string_view info) override;
    void SetInfo(std::string_view info) override;
    // Runs the window's messages until the user closes it (OK or the close box).
    void RunUntilClosed();

    HWND hwnd() const { return hwnd_; }
    HWND imBanner() const { return imBanner_; }
    HWND lbInfo() const { return lbInfo_; }
    HWND cmdOK() const { return cmdOK_; }

    static constexpr int kBannerId = 100;
    static constexpr int kInfoId = 101;
    static constexpr const wchar_t* kClassName = L"TessivarHaupt";

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Create();
    void Layout();
    void CenterOnScreen();
    void MakeFont();
    void DrawBanner(const DRAWITEMSTRUCT& item) const;

    HWND hwnd_ = nullptr;
    HWND imBanner_ = nullptr;
    HWND lbInfo_ = nullptr;
    HWND cmdOK_ = nullptr;
    HFONT font_ = nullptr;
    HBITMAP banner_ = nullptr;
    UINT dpi_ = 96;
};

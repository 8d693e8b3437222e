#pragma once
// The progress window of the install and removal runs: a banner, the run's
// current message and an OK button that closes it once the run is done.
#include <string_view>

#include "manager/ProgressWindow.h"
#include "platform/Handles_win.h"
#include "ui/Window_win.h"

namespace ui {
class Button;
class Label;
class PictureBox;
}  // namespace ui

class frmHaupt : public ui::Window, public IProgressWindow {
public:
    frmHaupt();

    void Show(std::string_view info) override;
    void SetInfo(std::string_view info) override;
    using ui::Window::RunUntilClosed;

    HWND imBanner() const;
    HWND lbInfo() const;
    HWND cmdOK() const;

    // Identifiers that drivers of the window from outside rely on.
    static constexpr int kBannerId = 100;
    static constexpr int kInfoId = 101;
    static constexpr const wchar_t* kClassName = L"TessivarHaupt";

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    void Open();

    ui::PictureBox* m_imBanner = nullptr;
    ui::Label* m_lbInfo = nullptr;
    ui::Button* m_cmdOK = nullptr;
};

#pragma once
// Rovandel2's main window: the controls of its design table on the window
// layer, each under its design name and with its tag, the pictures, the key
// preview for Escape, and the window's side of IRovandel2Form. What the
// window does lies in clRovandel2 (Logic()).
#include <functional>

#include "platform/Handles_win.h"
#include "platform/Shell.h"
#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/Rovandel2Form.h"
#include "routeplanner/clRovandel2.h"
#include "ui/ImageList_win.h"
#include "ui/Window_win.h"

class frmRovandel2 : public ui::Window, public IRovandel2Form {
public:
    explicit frmRovandel2(clRovandel2::Services services);
    ~frmRovandel2() override;

    // Makes the window and its controls, unseen and not yet loaded.
    void Build();
    // Builds the window unless that is done, loads its values (Form_Load)
    // and shows it.
    void Open(int show = SW_SHOWNORMAL);
    using ui::Window::RunUntilClosed;

    clRovandel2& Logic() { return m_Logic; }
    // ilBH: "off" (1) and "on" (2), 32 x 16 each.
    ui::ImageList& ilBH() { return m_ilBH; }

    // How Escape ends the program; the default ends the process at once.
    std::function<void()> onEnd;

    // IRovandel2Form
    std::vector<std::string> ControlNames() const override;
    std::string Tag(std::string_view name) const override;
    std::string Text(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view text) override;
    bool Enabled(std::string_view name) const override;
    void SetEnabled(std::string_view name, bool enabled) override;
    void AddItem(std::string_view name, std::string_view text) override;
    int ListCount(std::string_view name) const override;
    std::string ItemText(std::string_view name, int index) const override;
    int ListIndex(std::string_view name) const override;
    void SetListIndex(std::string_view name, int index) override;
    bool Checked(std::string_view name) const override;
    void SetChecked(std::string_view name, bool checked) override;
    std::string Caption() const override;
    platform::WindowHandle Handle() const override;
    void SetHourglass(bool hourglass) override;
    void SetStatusText(std::string_view text) override;
    std::string StatusText() const override;
    void SetStatusPicture(int index) override;
    void SetStatusPicture(std::string_view key) override;
    void SetProgress(int value) override;
    int Progress() const override;
    void CloseWindow() override;
    void EndProgram() override;
    void ShowInfo() override;
    void Signal() override;

protected:
    void OnCreate() override;
    bool OnEscape() override;
    bool OnClose() override;

private:
    void AddControl(const Rovandel2Controls::Entry& entry);
    std::function<void()> ClickOf(std::string_view name);

    platform::IShell& m_Shell;
    clRovandel2 m_Logic;
    ui::ImageList m_ilBH;
    ui::ImageList m_StartPicture;  // the status panel's picture at start
    bool m_Loaded = false;  // Form_Load has run on the window there is
};

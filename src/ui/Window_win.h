#pragma once
// The small Win32 window layer that the programs' windows are written on.
//
// A window is a class derived from ui::Window. Its constructor names the
// window class (registered once per process); OnCreate adds the controls,
// each under its design name and with its place in twips, and wires their
// events; the layer converts twips to pixels for the screen's DPI, lays the
// controls out again when the DPI changes, gives them the system's message
// font, routes their notifications, lets Tab and mnemonics work in every
// message loop and catches every exception at the window procedure:
//
//   class frmGruss : public ui::Window {
//   public:
//       frmGruss() : Window(L"Gruss") {}
//       void Open() {
//           Create({.caption = "Gruß", .innerWidth = 3000, .innerHeight = 1200});
//           Show();
//       }
//   protected:
//       void OnCreate() override {
//           auto& text = Add<ui::Label>("lbText", ui::Place{120, 120, 2760, 300}, "Grüß Gott!");
//           auto& ok = Add<ui::Button>("cmdOK", ui::Place{900, 600, 1200, 375}, "&OK");
//           ok.SetDefault(true);
//           ok.onClick = [this] { Close(); };
//           text.onClick = [this] { Find("cmdOK")->SetText("&Schließen"); };
//       }
//       bool OnEscape() override {   // Esc, before the focused control sees it
//           Close();
//           return true;
//       }
//   };
//
//   frmGruss form;
//   form.Open();
//   form.RunUntilClosed();
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Handles_win.h"
#include "platform/MessagePump_win.h"
#include "ui/Control_win.h"
#include "ui/Form.h"
#include "ui/Twips.h"

namespace ui {

class Timer;
class ToolTips;

class Window {
public:
    struct Frame {
        std::string caption;
        DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        DWORD exStyle = 0;
        int innerWidth = 0;  // twips
        int innerHeight = 0;  // twips
        HWND owner = nullptr;
        bool center = true;  // else at `position`, or where the system puts new windows
        std::optional<POINT> position;
        HICON icon = nullptr;
    };

    explicit Window(std::wstring className);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window and its controls (OnCreate), hidden. Raises AppError
    // when the system refuses the class or the window.
    void Create(const Frame& frame);
    HWND hwnd() const { return m_Window.get(); }
    bool IsOpen() const { return static_cast<bool>(m_Window); }

    void Show(int command = SW_SHOWNORMAL);
    // Asks the window to close (OnClose may refuse); Destroy closes it unasked.
    void Close();
    void Destroy();
    // Runs the messages of the thread until this window is gone.
    void RunUntilClosed();
    // Shows the window modally over `owner` and returns when it is gone.
    void ShowModal(HWND owner);

    std::string Caption() const;
    void SetCaption(std::string_view caption);
    void SetPointer(Pointer pointer);
    Pointer GetPointer() const { return m_Pointer; }

    UINT Dpi() const { return m_Dpi; }
    int Px(int twips) const { return TwipsToPixels(twips, m_Dpi); }
    int Twips(int pixels) const { return PixelsToTwips(pixels, m_Dpi); }
    HFONT Font() const { return m_Font.get(); }
    // The client area's size in pixels.
    SIZE ClientSize() const;
    // Sets the client area's size, in twips.
    void SetInnerSize(int widthTwips, int heightTwips);

    // The controls in the order they were added; each keeps its design name.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return m_Controls; }
    Control* Find(std::string_view name) const;
    template <class C>
    C& Get(std::string_view name) const {
        return dynamic_cast<C&>(*FindOrRaise(name));
    }
    Control* FindById(int id) const;

    Timer& AddTimer(UINT intervalMs);
    ToolTips& Tips();

    // For the controls: a fresh control identifier, or the one AddWithId asked for.
    int NextControlId() { return m_PendingId != 0 ? std::exchange(m_PendingId, 0) : m_NextId++; }
    // The button that Enter presses (0: none).
    void SetDefaultButton(int id) { m_DefaultButton = id; }
    // Reports the exception being handled through OnError; for catch blocks
    // at the boundaries of the window's controls.
    void HandleCurrentException();

    // Escape, as a key preview sees it.
    static bool IsEscape(const MSG& msg) {
        return (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || (msg.message == WM_CHAR && msg.wParam == 27);
    }

protected:
    template <class C, class... Args>
    C& Add(Args&&... args) {
        auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
        C& ref = *control;
        m_Controls.push_back(std::move(control));
        ref.Layout(m_Dpi);
        ref.ApplyFont(m_Font.get());
        return ref;
    }

    // For a control whose identifier others rely on (IDOK, a test driver's).
    template <class C, class... Args>
    C& AddWithId(int id, Args&&... args) {
        m_PendingId = id;
        return Add<C>(std::forward<Args>(args)...);
    }

    // Adds the controls; the window exists and has its DPI.
    virtual void OnCreate() {}
    // Puts the controls at their places; called at creation and on a DPI change.
    virtual void OnLayout();
    // Key messages of the window and its controls, before they are handled.
    virtual bool OnKey(const MSG& msg);
    // Escape anywhere in the window, before the focused control and the
    // dialog manager see it; false lets it go on to them.
    virtual bool OnEscape() { return false; }
    // False keeps the window open.
    virtual bool OnClose() { return true; }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT kind, int width, int height);
    virtual void OnMouseMove(int x, int y);
    virtual void OnClick(int x, int y);
    // Files dropped on a window made with WS_EX_ACCEPTFILES, paths in UTF-8.
    virtual void OnDropFiles(const std::vector<std::string>& paths);
    // Everything else; the default handling is the system's.
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // An exception reached the window procedure (the handler that threw has
    // been left); the default shows it in a box titled with the caption.
    virtual void OnError();

    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Filter(MSG& msg);
    Control* FindOrRaise(std::string_view name) const;
    void RegisterClassOnce(HICON icon);
    void MakeFont();
    void Center();
    bool RouteCommand(WPARAM wParam, LPARAM lParam);
    bool RouteNotify(LPARAM lParam, LRESULT& result);
    bool RouteTimer(WPARAM id);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    std::wstring m_ClassName;
    platform::UniqueWindow m_Window;
    platform::UniqueFont m_Font;
    UINT m_Dpi = 96;
    DWORD m_Style = 0;
    DWORD m_ExStyle = 0;
    int m_NextId = 1000;
    int m_PendingId = 0;
    int m_DefaultButton = 0;
    Pointer m_Pointer = Pointer::Default;
    bool m_InError = false;
    std::vector<std::unique_ptr<Control>> m_Controls;
    std::vector<std::unique_ptr<Timer>> m_Timers;
    std::unique_ptr<ToolTips> m_Tips;
    std::optional<platform::MessageFilterScope> m_Filter;
};

// The screen's DPI as the system reports it for new windows.
UINT ScreenDpi();

// A modal dialog's frame over `owner`: caption and close box, no minimise
// box (the owner is disabled while it is open), the dialog border; size in twips.
Window::Frame DialogFrame(std::string caption, int innerWidth, int innerHeight, HWND owner);

// The program's own icon, resource 1 of its .rc file; null when it has none.
HICON ProgramIcon();

}  // namespace ui

#pragma once
// What every control of a window has: its design name, its place in twips,
// its text, its enabled state, and a tag (the key under which a window keeps
// its value). The control's window is a child of its window and is destroyed
// with it, so it is held as a plain handle.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/Place.h"

namespace ui {

class Window;

class Control {
public:
    Control(Window& owner, std::string name, Place place);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_Name; }
    HWND hwnd() const { return m_hWnd; }
    int Id() const { return m_Id; }
    Window& Owner() const { return m_Owner; }

    std::string Text() const;
    void SetText(std::string_view text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    void Focus();

    const std::string& Tag() const { return m_Tag; }
    void SetTag(std::string tag) { m_Tag = std::move(tag); }

    const Place& GetPlace() const { return m_Place; }
    // Moves the control; pixels follow from the window's DPI.
    void SetPlace(const Place& place);
    // The control's rectangle in its window's client area, in pixels.
    RECT PixelRect() const;

    // Called by the window.
    virtual void Layout(UINT dpi);
    virtual void ApplyFont(HFONT font);
    virtual bool OnCommand(UINT code) { return (void)code, false; }
    virtual bool OnNotify(NMHDR& header, LRESULT& result) { return (void)header, (void)result, false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) { return (void)item, false; }
    // WM_CTLCOLOR... of this control: a brush to paint with, or null for the default.
    virtual HBRUSH OnColor(HDC dc) { return (void)dc, nullptr; }

protected:
    // The place of the control's window: its place, or more where the
    // window holds more than the control shows (a drop-down's open list).
    virtual Place WindowPlace() const { return m_Place; }
    // Creates the control's window at its place; raises AppError when the
    // system refuses.
    void CreateHwnd(const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text);
    // Whether the window is on screen (a change then asks for a redraw).
    BOOL OwnerShown() const;
    // Gets the control's own messages first (a subclass); false passes them on.
    void Subclass();
    virtual bool OnOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Window& m_Owner;
    std::string m_Name;
    Place m_Place;
    std::string m_Tag;
    int m_Id;
    HWND m_hWnd = nullptr;
    WNDPROC m_OldProc = nullptr;
    // Where the window was last put, in pixels: a layout that would put it
    // there again makes no system call.
    RECT m_Applied{};
};

}  // namespace ui

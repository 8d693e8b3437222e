#pragma once
// A status bar docked at the bottom of its window, with panels found by key.
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control_win.h"

namespace ui {

class StatusBar : public Control {
public:
    // The place is ignored: the bar docks at the bottom, `height` pixels high
    // at 96 DPI (0: the system's height).
    StatusBar(Window& owner, std::string name, int height = 0);

    // Panels from left to right; width in pixels at 96 DPI, -1: the rest.
    void AddPanel(std::string key, int width = -1);
    bool HasPanel(std::string_view key) const;
    void SetPanelText(std::string_view key, std::string_view text);
    std::string PanelText(std::string_view key) const;
    // The panel shows `icon` at its own size before its text (null: none);
    // the caller keeps the icon. A panel with an icon is drawn by the bar
    // itself, so that a picture wider than high keeps its width.
    void SetPanelIcon(std::string_view key, HICON icon);
    HICON PanelIcon(std::string_view key) const;
    // The bar's height in pixels.
    int PixelHeight() const;

    void Layout(UINT dpi) override;

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    int Index(std::string_view key) const;
    void ApplyParts(UINT dpi);

    void Apply(int index);

    struct Panel {
        std::string key;
        int width;
        std::string text;
        HICON icon = nullptr;
    };
    std::vector<Panel> m_Panels;
    int m_Height;
};

}  // namespace ui

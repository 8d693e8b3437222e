#include "ui/ToolTips_win.h"

#include <commctrl.h>

#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"
#include "ui/CommonControls_win.h"
#include "ui/Control_win.h"

namespace ui {
namespace {

TTTOOLINFOW ToolFor(HWND window, const Control& control) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND window) : m_Window(window) {
    EnsureCommonControls();
    m_Tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (m_Tips == nullptr) Raise(ErrorNumber::Internal, std::string(texts::kControlNotCreated) + "ToolTips");
}

ToolTips::~ToolTips() = default;

void ToolTips::Set(const Control& control, std::string_view text) {
    std::wstring wide = platform::Widen(text);
    TTTOOLINFOW tool = ToolFor(m_Window, control);
    tool.lpszText = wide.data();
    SendMessageW(m_Tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_Tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string ToolTips::TextOf(const Control& control) const {
    std::vector<wchar_t> buffer(1024, L'\0');
    TTTOOLINFOW tool = ToolFor(m_Window, control);
    tool.lpszText = buffer.data();
    SendMessageW(m_Tips, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return platform::Narrow(buffer.data());
}

}  // namespace ui

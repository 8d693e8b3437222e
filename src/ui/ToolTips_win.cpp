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

TTTOOLINFOW ToolFor(HWND window, HWND control) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND window) : m_Window(window) {}

ToolTips::~ToolTips() = default;

void ToolTips::Make() {
    if (m_Tips != nullptr) return;
    EnsureCommonControls();
    m_Tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_Window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (m_Tips == nullptr) Raise(ErrorNumber::Internal, std::string(texts::kControlNotCreated) + "ToolTips");
    for (auto& [control, text] : std::exchange(m_Waiting, {})) Add(control, std::move(text));
}

void ToolTips::Set(const Control& control, std::string_view text) {
    if (m_Tips == nullptr && IsWindowVisible(m_Window)) Make();
    if (m_Tips != nullptr) {
        Add(control.hwnd(), platform::Widen(text));
        return;
    }
    const auto same = [&control](const auto& waiting) { return waiting.first == control.hwnd(); };
    std::erase_if(m_Waiting, same);
    m_Waiting.emplace_back(control.hwnd(), platform::Widen(text));
}

void ToolTips::Add(HWND control, std::wstring text) {
    TTTOOLINFOW tool = ToolFor(m_Window, control);
    tool.lpszText = text.data();
    SendMessageW(m_Tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_Tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string ToolTips::TextOf(const Control& control) const {
    if (m_Tips == nullptr) {
        for (const auto& [waiting, text] : m_Waiting) {
            if (waiting == control.hwnd()) return platform::Narrow(text);
        }
        return {};
    }
    std::vector<wchar_t> buffer(1024, L'\0');
    TTTOOLINFOW tool = ToolFor(m_Window, control.hwnd());
    tool.lpszText = buffer.data();
    SendMessageW(m_Tips, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return platform::Narrow(buffer.data());
}

}  // namespace ui

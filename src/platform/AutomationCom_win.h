#pragma once
// What COM hands out besides interfaces: VARIANTs and the strings an
// EXCEPINFO carries. Interface pointers and BSTRs are owned through
// Handles_win.h.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "platform/ComLibrary_win.h"
#include "platform/Handles_win.h"

namespace platform::com {

inline UniqueBstr MakeBstr(std::wstring_view text) {
    return UniqueBstr(OleAutomation().AllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

inline std::wstring BstrText(BSTR text) {
    return text ? std::wstring(text, OleAutomation().StringLen(text)) : std::wstring();
}

class Variant {
public:
    Variant() { OleAutomation().Init(&m_Value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept {
        m_Value = other.m_Value;
        OleAutomation().Init(&other.m_Value);
    }
    ~Variant() { OleAutomation().Clear(&m_Value); }
    VARIANT* get() { return &m_Value; }
    const VARIANT* get() const { return &m_Value; }

private:
    VARIANT m_Value;
};

// Frees what Invoke may have put into an EXCEPINFO.
class ExcepInfo {
public:
    ExcepInfo() = default;
    ExcepInfo(const ExcepInfo&) = delete;
    ExcepInfo& operator=(const ExcepInfo&) = delete;
    ~ExcepInfo() {
        FreeBstr(m_Info.bstrSource);
        FreeBstr(m_Info.bstrDescription);
        FreeBstr(m_Info.bstrHelpFile);
    }
    EXCEPINFO* get() { return &m_Info; }

private:
    EXCEPINFO m_Info{};
};

}  // namespace platform::com

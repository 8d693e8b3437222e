#pragma once
// What COM hands out besides interfaces: VARIANTs and the strings an
// EXCEPINFO carries. Interface pointers and BSTRs are owned through
// Handles_win.h.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "platform/Handles_win.h"

namespace platform::com {

inline UniqueBstr MakeBstr(std::wstring_view text) {
    return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

inline std::wstring BstrText(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

class Variant {
public:
    Variant() { VariantInit(&m_Value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept {
        m_Value = other.m_Value;
        VariantInit(&other.m_Value);
    }
    ~Variant() { VariantClear(&m_Value); }
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
        SysFreeString(m_Info.bstrSource);
        SysFreeString(m_Info.bstrDescription);
        SysFreeString(m_Info.bstrHelpFile);
    }
    EXCEPINFO* get() { return &m_Info; }

private:
    EXCEPINFO m_Info{};
};

}  // namespace platform::com

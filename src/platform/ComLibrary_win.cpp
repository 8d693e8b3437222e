#include "platform/ComLibrary_win.h"

#include "platform/SystemLibrary_win.h"

namespace platform {
namespace {

template <class F>
F OleEntry(const char* name) {
    return SystemEntry<F>(L"ole32.dll", name);
}

template <class F>
F AutomationEntry(const char* name) {
    return SystemEntry<F>(L"oleaut32.dll", name);
}

}  // namespace

const OleApi& Ole() {
    static const OleApi api{
        OleEntry<decltype(&CoInitializeEx)>("CoInitializeEx"),
        OleEntry<decltype(&CoUninitialize)>("CoUninitialize"),
        OleEntry<decltype(&CLSIDFromProgID)>("CLSIDFromProgID"),
        OleEntry<decltype(&CoCreateInstance)>("CoCreateInstance"),
        OleEntry<decltype(&IIDFromString)>("IIDFromString"),
    };
    return api;
}

const OleAutomationApi& OleAutomation() {
    static const OleAutomationApi api{
        AutomationEntry<decltype(&SysAllocStringLen)>("SysAllocStringLen"),
        AutomationEntry<decltype(&SysFreeString)>("SysFreeString"),
        AutomationEntry<decltype(&SysStringLen)>("SysStringLen"),
        AutomationEntry<decltype(&VariantChangeType)>("VariantChangeType"),
        AutomationEntry<decltype(&VariantClear)>("VariantClear"),
        AutomationEntry<decltype(&VariantCopyInd)>("VariantCopyInd"),
        AutomationEntry<decltype(&VariantInit)>("VariantInit"),
    };
    return api;
}

void FreeBstr(BSTR text) noexcept {
    if (text == nullptr) return;
    try {
        OleAutomation().FreeString(text);
    } catch (...) {
        // without oleaut32 nothing could have handed the string out
    }
}

}  // namespace platform

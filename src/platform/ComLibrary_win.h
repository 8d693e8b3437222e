#pragma once
// COM and its automation types, loaded on first use rather than with the
// program: Rovandel2 asks ACT! on a thread of its own while its window is
// built, and the window thread must not first wait for OLE to load.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace platform {

// ole32.dll
struct OleApi {
    decltype(&CoInitializeEx) InitializeEx;
    decltype(&CoUninitialize) Uninitialize;
    decltype(&CLSIDFromProgID) ClsidFromProgId;
    decltype(&CoCreateInstance) CreateInstance;
    decltype(&IIDFromString) IidFromString;
};

// oleaut32.dll
struct OleAutomationApi {
    decltype(&SysAllocStringLen) AllocStringLen;
    decltype(&SysFreeString) FreeString;
    decltype(&SysStringLen) StringLen;
    decltype(&VariantChangeType) ChangeType;
    decltype(&VariantClear) Clear;
    decltype(&VariantCopyInd) CopyInd;
    decltype(&VariantInit) Init;
};

// Raise AppError when the system lacks the library; the next call tries again.
const OleApi& Ole();
const OleAutomationApi& OleAutomation();

}  // namespace platform

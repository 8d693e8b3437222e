#pragma once
// The Win32 handle types, each owned through the one owner template.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "base/UniqueHandle.h"

namespace platform {

// Handles whose "nothing held" value is null, closed by one function.
template <class H, auto CloseFn>
struct NullTraits {
    using Handle = H;
    static H Invalid() noexcept { return nullptr; }
    static void Close(H handle) noexcept { CloseFn(handle); }
};

// CreateFile's failure value is INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE file) noexcept { CloseHandle(file); }
};

// A file search (FindFirstFile), whose failure value is INVALID_HANDLE_VALUE too.
struct FindTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) noexcept { FindClose(search); }
};

// A device context of a window (GetDC), given back to that window.
struct WindowDcTraits {
    using Handle = HDC;
    HWND window = nullptr;
    static HDC Invalid() noexcept { return nullptr; }
    void Close(HDC dc) const noexcept { ReleaseDC(window, dc); }
};

template <class T>
struct ComTraits {
    using Handle = T*;
    static T* Invalid() noexcept { return nullptr; }
    static void Close(T* object) noexcept { object->Release(); }
};

using UniqueHkey = UniqueHandle<NullTraits<HKEY, RegCloseKey>>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
// Memory the shell hands out (an item list), given back with CoTaskMemFree,
// which is looked up in ole32 only when there is something to give back: a
// program that never asks the shell does not load ole32 at its start.
void FreeTaskMemory(void* memory) noexcept;
template <class T>
using UniqueTaskMem = UniqueHandle<NullTraits<T*, FreeTaskMemory>>;
// Processes, threads, events, mutexes: everything CloseHandle closes and whose failure value is null.
using UniqueKernelHandle = UniqueHandle<NullTraits<HANDLE, CloseHandle>>;
using UniqueProcess = UniqueKernelHandle;
using UniqueModule = UniqueHandle<NullTraits<HMODULE, FreeLibrary>>;
using UniqueWindow = UniqueHandle<NullTraits<HWND, DestroyWindow>>;
using UniqueDC = UniqueHandle<NullTraits<HDC, DeleteDC>>;  // a memory context
using UniqueWindowDC = UniqueHandle<WindowDcTraits>;
using UniqueBitmap = UniqueHandle<NullTraits<HBITMAP, DeleteObject>>;
using UniqueFont = UniqueHandle<NullTraits<HFONT, DeleteObject>>;
using UniqueBrush = UniqueHandle<NullTraits<HBRUSH, DeleteObject>>;
using UniquePen = UniqueHandle<NullTraits<HPEN, DeleteObject>>;
using UniqueIcon = UniqueHandle<NullTraits<HICON, DestroyIcon>>;
template <class T>
using ComPtr = UniqueHandle<ComTraits<T>>;
// Frees through oleaut32 as loaded on first use (ComLibrary_win.cpp).
void FreeBstr(BSTR text) noexcept;
using UniqueBstr = UniqueHandle<NullTraits<BSTR, FreeBstr>>;

// The window's device context (null window: the screen's).
inline UniqueWindowDC ClientDC(HWND window) { return UniqueWindowDC(GetDC(window), {window}); }

// A second reference to an interface the caller keeps.
template <class T>
ComPtr<T> AddRef(T* object) {
    if (object != nullptr) object->AddRef();
    return ComPtr<T>(object);
}

// Selects a GDI object into a context and puts back the one it replaced.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : m_Dc(dc), m_Old(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (m_Old != nullptr && m_Old != HGDI_ERROR) SelectObject(m_Dc, m_Old);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Old;
};

}  // namespace platform

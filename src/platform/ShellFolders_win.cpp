#include "platform/ShellFolders_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/Handles_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

using UniqueItemList = UniqueTaskMem<ITEMIDLIST>;

HWND H(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// shell32 is loaded when a folder is first asked for: a run that writes no
// backup and shows no folder dialog does without it.
template <class F>
F Shell(const char* entry) {
    return SystemEntry<F>(L"shell32.dll", entry);
}

// The item list's path, cut at its first NUL; "" when it has none.
std::string PathOf(const UniqueItemList& items) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!items || !Shell<decltype(&SHGetPathFromIDListW)>("SHGetPathFromIDListW")(items.get(), buffer)) return {};
    buffer[MAX_PATH] = L'\0';
    return Narrow(buffer);
}

UniqueItemList SpecialFolder(std::int32_t folder, WindowHandle owner) {
    UniqueItemList items;
    const auto locate = Shell<decltype(&SHGetSpecialFolderLocation)>("SHGetSpecialFolderLocation");
    if (locate(H(owner), folder, items.put()) != S_OK) items.reset();
    return items;
}

}  // namespace

std::string WinShellFolders::GetSpecialFolder(std::int32_t folder, WindowHandle owner) {
    return PathOf(SpecialFolder(folder, owner));
}

std::string WinShellFolders::BrowseForFolder(std::int32_t root, WindowHandle owner, std::string_view title) {
    // The title is copied into a buffer of 255 characters.
    std::wstring shown = Widen(title);
    if (shown.size() > 254) shown.resize(254);
    const UniqueItemList rootItems = root == kFolderDesktop ? UniqueItemList() : SpecialFolder(root, owner);
    BROWSEINFOW info{};
    info.hwndOwner = H(owner);
    info.pidlRoot = rootItems.get();
    info.lpszTitle = shown.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const UniqueItemList chosen(Shell<decltype(&SHBrowseForFolderW)>("SHBrowseForFolderW")(&info));
    std::string path = PathOf(chosen);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

}  // namespace platform

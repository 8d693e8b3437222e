// A DLL that only says it was loaded: copied under the name of a DLL that
// a program loads, into the program's folder, it leaves a file named after
// itself in the folder that TESSIVAR_PLANT_MARKERS names. A program that
// takes its DLLs from the system folder alone never loads it.
#include <windows.h>

#include <cwchar>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t marker[MAX_PATH * 2] = {};
    wchar_t self[MAX_PATH] = {};
    const DWORD folder = GetEnvironmentVariableW(L"TESSIVAR_PLANT_MARKERS", marker, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH) return FALSE;
    GetModuleFileNameW(instance, self, MAX_PATH);
    const wchar_t* name = std::wcsrchr(self, L'\\');
    std::wcscat(marker, name != nullptr ? name : L"\\unknown");
    std::wcscat(marker, L".loaded");
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    // Loaded in place of a real DLL, it must not go on: the program would
    // look in it for what it does not hold.
    return FALSE;
}

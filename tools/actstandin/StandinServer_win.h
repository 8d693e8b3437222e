#pragma once
// The stand-in's process-wide state: its data, its window, the fault
// switches the tests set, the call log, and the count of objects that keeps
// a server started by COM alive.
#include <windows.h>

#include <string>

#include "actstandin/StandinData.h"

namespace standin {

struct Faults {
    int noView = 0;  // the next N view requests answer Nothing
    long closeDbAnswer = 0;  // what CloseDB answers; not 0: the database stays open
    std::wstring failMember;  // calls of this member raise an automation error
    std::wstring vanishMember;  // the process ends inside a call of this member
    std::wstring slowMember;  // calls of this member answer only after slowMs
    DWORD slowMs = 0;
};

struct Server {
    Data data;
    Faults faults;
    HWND window = nullptr;
    std::wstring logPath;
    std::wstring fixedTitle;  // --title: kept whatever the database
    bool embedding = false;
    UINT idleSeconds = 5;
    LONG objects = 0;
    DWORD factoryCookie = 0;
};

Server& TheServer();

// {6A3C1E52-8B1D-4C7A-9E45-3D2F7B8A1C01}
extern const CLSID kClsidActApp;
inline constexpr wchar_t kProgId[] = L"ACTOLE.APPOBJECT";

void Log(const std::wstring& line);
// An object was made or went; the last going starts the idle countdown.
void ObjectCreated();
void ObjectReleased();
// Repaints the window and sets its title after the data changed.
void DataChanged();

const Record* FindContact(const std::wstring& id);

// Registration under HKLM and HKCU (Wine reads only HKLM); 0 on success.
int RegisterServer();
int UnregisterServer();

// The class factory, registered while the process runs.
// Revoking matters under Wine: a registration left behind by a process that
// ended without revoking shadows every later one, so clients then fail.
void RegisterFactory();
void RevokeFactory();

}  // namespace standin

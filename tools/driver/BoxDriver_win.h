#pragma once
// Finding, reading and answering another program's message box from
// outside, as a user would: by its window, its text, its icon and its buttons.
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

struct BoxInfo {
    HWND box = nullptr;
    DWORD processId = 0;
    std::wstring title;
    std::wstring text;
    std::string icon;  // "none", "information", "exclamation", "question", "critical" or "unknown"
    std::vector<int> buttons;  // control ids (IDOK, IDYES, ...) in window order
    int defaultButton = 0;
};

// The first visible dialog (class #32770) of `processId` (0: any process)
// whose title equals `title` (empty: any), waiting up to `timeoutMs`.
HWND FindMessageBox(DWORD processId, const std::wstring& title, DWORD timeoutMs);
// The same for a window of another class, e.g. a program's own small dialog window.
HWND FindWindowOfClass(const std::wstring& className, DWORD processId, const std::wstring& title, DWORD timeoutMs);

BoxInfo ReadMessageBox(HWND box);

// Presses the button with control id `id`; false when the box has none.
bool Press(HWND box, int id);

// Answers an open, save or folder dialog of the common dialogs: types
// `path` as the name and presses its OK button. False when it has no name field.
bool AnswerFileDialog(HWND dialog, const std::wstring& path);

// Presses the button with control id `id` of any window (posted, as a click).
bool Click(HWND window, int id);

const char* ButtonName(int id);
int ButtonId(const std::string& name);  // "ok", "yes", "no", "cancel"; 0 otherwise

}  // namespace driver

#pragma once
// Starting a program that inherits exactly the handles it is meant to have.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Handles_win.h"

namespace platform {

struct StartedProcess {
    UniqueProcess process;
    DWORD id = 0;
};

// Starts `commandLine` with `handles` inherited and no other handle of this
// process. `descriptors`, when not empty, become the child's C runtime
// descriptors 0, 1, 2, ... (a null or INVALID_HANDLE_VALUE entry: not open),
// laid out for the program's own bitness; each of them must be in `handles`
// too. Raises AppError with the system's
// error number when the program cannot be started.
StartedProcess StartInheriting(std::wstring commandLine, const std::vector<HANDLE>& handles,
                               const std::vector<HANDLE>& descriptors = {}, DWORD creationFlags = 0);

}  // namespace platform

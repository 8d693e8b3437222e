#pragma once
// The browser's keeper: a windowless rovandel2.exe that holds Rovandel2's
// ends of the browser's control pipe for as long as the browser runs.
//
// Chromium ends as soon as its --remote-debugging-pipe closes, and the
// browser is meant to stay open on the route after Rovandel2 has ended; so
// the pipe's ends live in this small process instead of the window's. It
// offers the connection on a named pipe that only the same user can open
// (its DACL names that user alone; remote clients are refused), to several
// clients at once (KeeperRoutes.h): the next run of Rovandel2 drives the same
// browser through it, also while another run still works, and no port on
// the machine leads to the browser. A client that sends nothing at first is
// let go after a few seconds. It ends when the browser ends.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Handles_win.h"

namespace platform {

// rovandel2.exe <switch> <from browser> <to browser> <browser process> <pipe name>
inline constexpr std::wstring_view kKeeperSwitch = L"/browserpipe";

// The named pipe of the keeper of the browser on `profileFolder`: per user
// (the SID) and per profile (a hash of its path), so that users do not meet.
std::wstring KeeperPipeName(const std::wstring& profileFolder);

// The keeper's own program: rovandel2.exe beside this program.
std::wstring KeeperProgram();

// The keeper's run; `arguments` follow the switch. Its exit code.
int RunBrowserKeeper(std::wstring_view arguments);

// The client end of the keeper's pipe, opened for overlapped I/O. Empty when
// no keeper offers it (none runs, or `keeper` ended before it did); waits up
// to `timeoutMs` while every place of the keeper is taken or it still has to
// open its pipe, the window answering meanwhile. Raises AppError when the
// places stay taken (ERROR_PIPE_BUSY, said as such) or the pipe belongs to
// another user.
UniqueFile ConnectKeeper(const std::wstring& pipeName, HANDLE keeper, DWORD timeoutMs);

}  // namespace platform

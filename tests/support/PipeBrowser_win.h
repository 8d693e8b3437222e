#pragma once
// What the tests of the browser's control pipe share: the stand-in browser
// (tools/pipebrowser) and its log, the processes by program name, the
// listening TCP sockets of the machine and the keeper pipe's DACL.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace support {

// pipebrowser.exe beside the test program.
std::wstring PipeBrowserProgram();
// The lines of the stand-in's log on `profile` (empty when it wrote none).
std::vector<std::string> PipeBrowserLog(const std::wstring& profile);
// How many lines of the log start with `prefix`.
int CountLog(const std::vector<std::string>& log, const std::string& prefix);
// Ends every stand-in browser and waits until they are gone; removes the log.
void EndPipeBrowsers(const std::wstring& profile);

// The ids of the running processes whose program is `exeName`.
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName);
// The process's working set in bytes, 0 when it cannot be read.
SIZE_T WorkingSetOf(DWORD pid);
// Waits until the process has ended; true when it did within `timeoutMs`.
bool WaitForProcessEnd(DWORD pid, DWORD timeoutMs);

// The listening TCP sockets of the Windows programs in this Wine environment,
// one line each as Linux's `ss -ltnp` lists them. Wine keeps the sockets of
// its programs in their wineserver, so its own tables name no owner, and
// Linux names that wineserver: the one of this prefix tells this
// environment's sockets from those of other programs on the machine.
std::set<std::string> TcpListeners();

// The SIDs (as text) that the DACL of the pipe (a client end) names, whether
// every entry is an allowing one, and its owner.
struct PipeAcl {
    bool read = false;
    bool onlyAllowing = true;
    std::vector<std::wstring> sids;
    std::wstring owner;
};
PipeAcl ReadPipeAcl(HANDLE pipe);

}  // namespace support

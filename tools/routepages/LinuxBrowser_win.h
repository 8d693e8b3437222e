#pragma once
// Debian's Chromium as the browser of the tests, the benchmark and the demo
// under Wine. Wine starts a Linux program without a usable process handle
// or id, so the browser is found on the Linux side (/proc, seen as
// Z:\proc) by the profile folder on its command line, and ended by its own
// process id.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace routepages {

// Z:\usr\bin\chromium, or "" when Chromium is not installed.
std::wstring LinuxChromium();

// Runs a Linux program (its Z:\\ path and arguments); Wine gives no handle
// to wait on, so the caller waits for its effect.
void RunLinux(const std::wstring& commandLine);

// The Linux path of a Windows path (Wine's own mapping).
std::string UnixPath(const std::wstring& windowsPath);

// The Linux process ids of the browser processes started with this profile
// folder (given as its Windows path): the main one (no --type= switch) first.
std::vector<unsigned long> BrowserProcesses(const std::wstring& profileFolder);
bool LinuxProcessAlive(unsigned long pid);
// SIGTERM, then SIGKILL when it still runs after `graceMs`; true when it ended.
bool EndLinuxProcess(unsigned long pid, DWORD graceMs = 5000);
// Ends every browser running on the profile; the ids it ended.
std::vector<unsigned long> EndBrowsers(const std::wstring& profileFolder);

// The addresses of the page windows of the browser running on the profile
// (its DevTools list); empty when none runs.
std::vector<std::string> BrowserPageUrls(const std::wstring& profileFolder);

// What the tests, the benchmark and the demo add to the browser's command
// line: no sandbox (they run as root), no traffic beyond 127.0.0.1, quiet
// logs, a fixed window.
std::string LocalBrowserArguments();

// A text value under HKEY_CURRENT_USER (name "" for the key's default), and
// one of Rovandel2's options there.
void WriteUserText(const std::wstring& key, const std::wstring& name, const std::wstring& value);
void WriteRovandelOption(const std::wstring& name, const std::string& value);
// One of Rovandel2's options as stored (UTF-8), or nothing when it is not there.
std::optional<std::string> ReadRovandelOption(const std::wstring& name);

// HKCU's "App Paths" entry of a program (chrome.exe, msedge.exe) pointing
// at `program` for its lifetime, the entry before it put back afterwards:
// the browser search finds Chromium through it.
class AppPathsEntry {
public:
    AppPathsEntry(const std::wstring& exeName, const std::wstring& program);
    ~AppPathsEntry();
    AppPathsEntry(const AppPathsEntry&) = delete;
    AppPathsEntry& operator=(const AppPathsEntry&) = delete;

private:
    std::wstring m_Key;
    bool m_Existed = false;
    std::wstring m_Before;
};

}  // namespace routepages

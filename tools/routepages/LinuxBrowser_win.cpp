#include "routepages/LinuxBrowser_win.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "base/AppError.h"
#include "browser/ChromiumStart_win.h"
#include "platform/Handles_win.h"
#include "browser/WebSocketChannel_win.h"
#include "platform/WinText_win.h"

namespace routepages {
namespace {

std::string ReadAll(const std::wstring& path) {
    platform::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

}  // namespace

void RunLinux(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        // For a Linux program Wine leaves no process handle and garbage in
        // the thread handle's place: closing that would close some other handle.
        if (info.hProcess) {
            if (info.hThread) CloseHandle(info.hThread);
            WaitForSingleObject(info.hProcess, 5000);
            CloseHandle(info.hProcess);
        }
    }
}

std::wstring LinuxChromium() {
    const std::wstring path = L"Z:\\usr\\bin\\chromium";
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? path : std::wstring();
}

std::string UnixPath(const std::wstring& windowsPath) {
    using Fn = char*(CDECL*)(LPCWSTR);
    const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (fn == nullptr) return {};
    char* unix = fn(windowsPath.c_str());
    if (unix == nullptr) return {};
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::vector<unsigned long> BrowserProcesses(const std::wstring& profileFolder) {
    const std::string wanted = "--user-data-dir=" + UnixPath(profileFolder);
    std::vector<unsigned long> main;
    std::vector<unsigned long> helpers;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        std::string commandLine = ReadAll(L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline");
        std::vector<std::string> arguments;
        for (std::size_t start = 0; start < commandLine.size();) {
            const std::size_t end = commandLine.find('\0', start);
            arguments.push_back(commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        if (std::find(arguments.begin(), arguments.end(), wanted) == arguments.end()) continue;
        const unsigned long pid = std::wcstoul(found.cFileName, nullptr, 10);
        const bool helper = std::any_of(arguments.begin(), arguments.end(),
                                        [](const std::string& a) { return a.starts_with("--type="); });
        (helper ? helpers : main).push_back(pid);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    main.insert(main.end(), helpers.begin(), helpers.end());
    return main;
}

bool LinuxProcessAlive(unsigned long pid) {
    const std::string stat = ReadAll(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat");
    if (stat.empty()) return false;
    const std::size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] != 'Z';
}

bool EndLinuxProcess(unsigned long pid, DWORD graceMs) {
    for (const wchar_t* signal : {L"-TERM", L"-KILL"}) {
        if (!LinuxProcessAlive(pid)) return true;
        RunLinux(L"Z:\\bin\\kill " + std::wstring(signal) + L" " + std::to_wstring(pid));
        const ULONGLONG end = GetTickCount64() + graceMs;
        while (LinuxProcessAlive(pid) && GetTickCount64() < end) Sleep(50);
    }
    return !LinuxProcessAlive(pid);
}

std::vector<unsigned long> EndBrowsers(const std::wstring& profileFolder) {
    std::vector<unsigned long> ended;
    const std::vector<unsigned long> processes = BrowserProcesses(profileFolder);
    if (processes.empty()) return ended;
    // The main process takes its helpers with it; any left are ended one by one.
    if (EndLinuxProcess(processes.front())) ended.push_back(processes.front());
    for (unsigned long pid : BrowserProcesses(profileFolder)) {
        if (EndLinuxProcess(pid, 2000)) ended.push_back(pid);
    }
    return ended;
}

std::vector<std::string> BrowserPageUrls(const std::wstring& profileFolder) {
    std::vector<std::string> urls;
    const auto port = platform::ReadDevToolsPort(profileFolder);
    if (!port) return urls;
    try {
        const auto targets =
            nlohmann::json::parse(platform::LocalHttpGet(port->port, "/json/list", 2000), nullptr, false);
        if (!targets.is_array()) return urls;
        for (const auto& target : targets) {
            if (target.is_object() && target.value("type", "") == "page") urls.push_back(target.value("url", ""));
        }
    } catch (const AppError&) {
        // no browser answers on the port
    }
    return urls;
}

std::string LocalBrowserArguments() {
    return "--no-sandbox --disable-gpu --disable-background-networking --disable-component-update --disable-sync "
           "--disable-default-apps --log-level=3 --window-position=0,0 --window-size=1000,720 "
           "--host-resolver-rules=\"MAP * ~NOTFOUND, EXCLUDE 127.0.0.1\"";
}

void WriteUserText(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    platform::UniqueHkey opened;
    RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, opened.put(), nullptr);
    RegSetValueExW(opened.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void WriteRovandelOption(const std::wstring& name, const std::string& value) {
    WriteUserText(L"Software\\VB and VBA Program Settings\\Rovandel2\\Optionen", name, platform::Widen(value));
}

std::optional<std::string> ReadRovandelOption(const std::wstring& name) {
    wchar_t text[4096] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Rovandel2\\Optionen", name.c_str(),
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return platform::Narrow(text);
}

AppPathsEntry::AppPathsEntry(const std::wstring& exeName, const std::wstring& program)
    : m_Key(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + exeName) {
    platform::UniqueHkey key;
    wchar_t before[2048] = {};
    DWORD size = sizeof before - sizeof(wchar_t);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, m_Key.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        m_Existed = RegQueryValueExW(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(before), &size) ==
                    ERROR_SUCCESS;
        m_Before = before;
    }
    WriteUserText(m_Key, L"", program);
}

AppPathsEntry::~AppPathsEntry() {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_Key.c_str());
    if (m_Existed) WriteUserText(m_Key, L"", m_Before);
}

}  // namespace routepages

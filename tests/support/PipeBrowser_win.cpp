#include "support/PipeBrowser_win.h"

#include <aclapi.h>
#include <psapi.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <cstdio>

#include "platform/Handles_win.h"
#include "platform/WinText_win.h"
#include "routepages/LinuxBrowser_win.h"
#include "support/Process_win.h"

namespace support {

namespace {

std::wstring SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return {};
    std::wstring result = text;
    LocalFree(text);
    return result;
}

}  // namespace

std::wstring PipeBrowserProgram() { return ProgramFolder() + L"pipebrowser.exe"; }

namespace {

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return lines;
    std::string content;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, got);
    std::fclose(file);
    for (std::size_t begin = 0, end; begin < content.size(); begin = end + 1) {
        end = content.find('\n', begin);
        if (end == std::string::npos) end = content.size();
        lines.push_back(content.substr(begin, end - begin));
    }
    return lines;
}

}  // namespace

std::vector<std::string> PipeBrowserLog(const std::wstring& profile) {
    return ReadLines(profile + L"\\pipebrowser.log");
}

int CountLog(const std::vector<std::string>& log, const std::string& prefix) {
    int count = 0;
    for (const std::string& line : log) count += line.starts_with(prefix) ? 1 : 0;
    return count;
}

void EndPipeBrowsers(const std::wstring& profile) {
    for (DWORD pid : ProcessesNamed(L"pipebrowser.exe")) {
        platform::UniqueProcess process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        if (!process) continue;
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), 5000);
    }
    DeleteFileW((profile + L"\\pipebrowser.log").c_str());
}

std::vector<DWORD> ProcessesNamed(const std::wstring& exeName) {
    std::vector<DWORD> ids;
    platform::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

SIZE_T WorkingSetOf(DWORD pid) {
    platform::UniqueProcess process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    PROCESS_MEMORY_COUNTERS_EX counters{};
    if (!process ||
        !GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        return 0;
    }
    return counters.WorkingSetSize;
}

bool WaitForProcessEnd(DWORD pid, DWORD timeoutMs) {
    platform::UniqueProcess process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    return !process || WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

namespace {

std::string ReadRaw(const std::wstring& path) {
    std::string content;
    if (std::FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, got);
        std::fclose(file);
    }
    return content;
}

// The Linux process id of this prefix's wineserver, "" when none is found.
std::string OwnWineserver() {
    wchar_t prefix[4096] = {};
    if (GetEnvironmentVariableW(L"WINEPREFIX", prefix, 4096) == 0) return {};
    std::string wanted = std::string("WINEPREFIX=") + platform::Narrow(prefix);
    while (wanted.ends_with("/")) wanted.pop_back();
    WIN32_FIND_DATAW found;
    platform::UniqueFind search(FindFirstFileW(L"Z:\\proc\\*", &found));
    if (!search) return {};
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        const std::wstring folder = L"Z:\\proc\\" + std::wstring(found.cFileName);
        if (!ReadRaw(folder + L"\\comm").starts_with("wineserver")) continue;
        const std::string environment = ReadRaw(folder + L"\\environ");
        for (std::size_t begin = 0, end; begin < environment.size(); begin = end + 1) {
            end = environment.find('\0', begin);
            if (end == std::string::npos) end = environment.size();
            std::string entry = environment.substr(begin, end - begin);
            while (entry.ends_with("/")) entry.pop_back();
            if (entry == wanted) return platform::Narrow(found.cFileName);
        }
    } while (FindNextFileW(search.get(), &found));
    return {};
}

}  // namespace

std::set<std::string> TcpListeners() {
    static const std::string wineserver = OwnWineserver();
    const std::wstring name = L"pipebrowser-listeners-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring done = L"Z:\\tmp\\" + name;
    DeleteFileW(done.c_str());
    routepages::RunLinux(L"Z:\\bin\\sh -c \"ss -ltnpH > /tmp/" + name + L".part && mv /tmp/" + name + L".part /tmp/" +
                         name + L"\"");
    const ULONGLONG end = GetTickCount64() + 5000;
    while (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < end) Sleep(20);
    std::set<std::string> own;
    // Without the wineserver or the list every socket counts: nothing is overlooked.
    for (const std::string& line : ReadLines(done)) {
        if (wineserver.empty() || line.find("pid=" + wineserver + ",") != std::string::npos) own.insert(line);
    }
    if (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) own.insert("(no list of sockets)");
    DeleteFileW(done.c_str());
    return own;
}

PipeAcl ReadPipeAcl(HANDLE pipe) {
    PipeAcl result;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return result;
    }
    result.read = dacl != nullptr;
    if (owner != nullptr) result.owner = SidText(owner);
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) continue;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
            result.onlyAllowing = false;
            continue;
        }
        result.sids.push_back(SidText(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart));
    }
    LocalFree(descriptor);
    return result;
}

}  // namespace support

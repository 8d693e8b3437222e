#include "support/ActStandin_win.h"

#include <fstream>
#include <sstream>

namespace support {
namespace {

std::wstring Program() { return ProgramFolder() + L"actstandin.exe"; }

int g_Next = 0;

}  // namespace

ActStandin::ActStandin()
    : m_Log(std::filesystem::temp_directory_path() /
            ("actstandin-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++g_Next) + ".log")) {}

ActStandin::~ActStandin() {
    Close();
    std::error_code ignored;
    std::filesystem::remove(m_Log, ignored);
}

bool ActStandin::Register() { return ChildProcess::Start(Program(), L"--register").WaitForExit(20000) == 0u; }

void ActStandin::Unregister() { ChildProcess::Start(Program(), L"--unregister").WaitForExit(20000); }

bool ActStandin::Start(const std::wstring& options) {
    Close();
    m_Process.emplace(ChildProcess::Start(Program(), L"--seconds 120 --log \"" + m_Log.wstring() + L"\" " + options));
    m_Process->WaitForInputIdle(10000);
    return WaitForWindow(L"ACT3.0FrameClass", m_Process->Id(), 10000) != nullptr;
}

void ActStandin::Close() {
    if (!m_Process) return;
    if (HWND window = WaitForWindow(L"ACT3.0FrameClass", m_Process->Id(), 500)) PostMessageW(window, WM_CLOSE, 0, 0);
    m_Process->WaitForExit(10000);
    m_Process.reset();
}

std::string ActStandin::LogText() const {
    std::ifstream in(m_Log, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace support

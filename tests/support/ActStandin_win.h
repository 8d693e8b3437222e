#pragma once
// The ACT! stand-in for a test: registered as ACT!'s automation server,
// started from the test program's folder with a call log of its own, and
// closed as a user closes ACT! (a killed server would leave its class
// registration behind in Wine, shadowing the next stand-in's).
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/Process_win.h"

namespace support {

class ActStandin {
public:
    ActStandin();
    ~ActStandin();
    ActStandin(const ActStandin&) = delete;
    ActStandin& operator=(const ActStandin&) = delete;

    // --register or --unregister; true when the stand-in said it worked.
    static bool Register();
    static void Unregister();

    // Starts it with `options` until its main window shows; false when it did not.
    bool Start(const std::wstring& options = L"");
    void Close();
    bool Running() const { return m_Process.has_value(); }
    ChildProcess& Process() { return *m_Process; }
    // The process ended by itself (a fault switch): forget it.
    void Forget() { m_Process.reset(); }

    std::string LogText() const;

private:
    std::optional<ChildProcess> m_Process;
    std::filesystem::path m_Log;
};

}  // namespace support

#pragma once
// What an unattended run ("/quiet") says instead of boxes: each box becomes
// one line "Tessivar: …" for the setup's log, answered as if its first
// button were pressed. A run that ends with a failure without any box says
// the last text its window would have shown, or why the line was no run.
#include <functional>
#include <string>
#include <string_view>

#include "manager/ProgressWindow.h"
#include "platform/MessageBoxes.h"

class QuietReport : public platform::IMessageBoxes {
public:
    explicit QuietReport(std::function<void(std::string_view)> print) : m_Print(std::move(print)) {}

    platform::MsgAnswer Show(const platform::MessageBoxRequest& request) override;
    // The progress window nobody sees: it keeps the last text.
    IProgressWindow& Window() { return m_Window; }
    // Says why, once, when exit code `exitCode` is a failure and nothing has
    // been said; `why` for a run that had no window text either.
    void End(int exitCode, std::string_view why = {});

private:
    class LastText : public IProgressWindow {
    public:
        void Show(std::string_view info) override { last = info; }
        void SetInfo(std::string_view info) override { last = info; }
        std::string last;
    };

    void Say(std::string_view text);

    std::function<void(std::string_view)> m_Print;
    LastText m_Window;
    bool m_Said = false;
};

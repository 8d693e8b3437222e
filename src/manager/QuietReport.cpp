#include "manager/QuietReport.h"

#include "base/UiTexts.h"

platform::MsgAnswer QuietReport::Show(const platform::MessageBoxRequest& request) {
    Say(request.text);
    return request.buttons == platform::MsgButtons::YesNo || request.buttons == platform::MsgButtons::YesNoCancel
               ? platform::MsgAnswer::Yes
               : platform::MsgAnswer::Ok;
}

void QuietReport::End(int exitCode, std::string_view why) {
    if (exitCode == 0 || m_Said) return;
    Say(m_Window.last.empty() ? why : std::string_view(m_Window.last));
}

// A log keeps lines: the box's line breaks become blanks.
void QuietReport::Say(std::string_view text) {
    std::string line(texts::kTessivarTitle);
    line += ": ";
    bool blank = false;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            blank = true;
            continue;
        }
        if (blank && line.back() != ' ') line += ' ';
        blank = false;
        line += c;
    }
    line += "\r\n";
    m_Said = true;
    if (m_Print) m_Print(line);
}

#pragma once
// Message boxes that are recorded instead of shown, and answered from a
// script of answers (or by the first button when the script is empty).
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBoxes.h"

namespace platform {

class ScriptedMessageBoxes : public IMessageBoxes {
public:
    // `programTitle`: the title a box that names none is recorded with.
    explicit ScriptedMessageBoxes(std::string programTitle = {}) : m_ProgramTitle(std::move(programTitle)) {}
    MsgAnswer Show(const MessageBoxRequest& request) override;

    void QueueAnswer(MsgAnswer answer) { m_Answers.push_back(answer); }
    const std::vector<MessageBoxRequest>& Shown() const { return m_Shown; }
    void Clear() { m_Shown.clear(); }
    // Runs while a box is "open": lets tests play events that arrive then.
    std::function<void(const MessageBoxRequest&)> onShow;

private:
    std::string m_ProgramTitle;
    std::deque<MsgAnswer> m_Answers;
    std::vector<MessageBoxRequest> m_Shown;
};

}  // namespace platform

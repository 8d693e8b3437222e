#include "platform/ScriptedMessageBoxes.h"

namespace platform {

MsgAnswer ScriptedMessageBoxes::Show(const MessageBoxRequest& asked) {
    MessageBoxRequest request = asked;
    if (request.title.empty()) request.title = m_ProgramTitle;
    m_Shown.push_back(request);
    if (onShow) onShow(request);
    if (!m_Answers.empty()) {
        MsgAnswer a = m_Answers.front();
        m_Answers.pop_front();
        return a;
    }
    switch (request.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        default: return MsgAnswer::Ok;
    }
}

}  // namespace platform

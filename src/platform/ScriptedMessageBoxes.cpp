#include "platform/ScriptedMessageBoxes.h"

namespace platform {

MsgAnswer ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
    shown_.push_back(request);
    if (onShow) onShow(request);
    if (!answers_.empty()) {
        MsgAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    switch (request.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        default: return MsgAnswer::Ok;
    }
}

}  // namespace platform

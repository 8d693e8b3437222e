#pragma once
// Message boxes that go nowhere, for runs nobody watches: every box is
// answered as if its first button were pressed.
#include "platform/MessageBoxes.h"

namespace platform {

class SilentMessageBoxes : public IMessageBoxes {
public:
    MsgAnswer Show(const MessageBoxRequest& request) override {
        ++m_Count;
        return request.buttons == MsgButtons::YesNo || request.buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                                  : MsgAnswer::Ok;
    }
    int Count() const { return m_Count; }

private:
    int m_Count = 0;
};

}  // namespace platform

#pragma once
#include "platform/MessageBoxes.h"

namespace platform {

class WinMessageBoxes : public IMessageBoxes {
public:
    MsgAnswer Show(const MessageBoxRequest& request) override;
};

}  // namespace platform

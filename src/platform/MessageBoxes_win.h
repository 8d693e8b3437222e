#pragma once
#include <string>
#include <utility>

#include "platform/MessageBoxes.h"

namespace platform {

class WinMessageBoxes : public IMessageBoxes {
public:
    // `programTitle`: the title of a box that names none.
    explicit WinMessageBoxes(std::string programTitle = {}) : m_ProgramTitle(std::move(programTitle)) {}
    MsgAnswer Show(const MessageBoxRequest& request) override;

private:
    std::string m_ProgramTitle;
};

}  // namespace platform

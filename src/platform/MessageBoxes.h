#pragma once
// Message boxes and questions.
#include <string>

namespace platform {

enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
enum class MsgModality { Application, System };

struct MessageBoxRequest {
    std::string text;  // lines joined by CR LF
    std::string title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgModality modality = MsgModality::Application;
    bool operator==(const MessageBoxRequest&) const = default;
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows the box modally and returns the button pressed. A box that names
    // no title carries the program's own.
    virtual MsgAnswer Show(const MessageBoxRequest& request) = 0;
};

}  // namespace platform

#include "platform/MessageBoxes_win.h"

#include <windows.h>

#include "platform/WinText_win.h"

namespace platform {
namespace {

UINT IconFlag(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information: return MB_ICONINFORMATION;
        case MsgIcon::Exclamation: return MB_ICONEXCLAMATION;
        case MsgIcon::Question: return MB_ICONQUESTION;
        case MsgIcon::Critical: return MB_ICONHAND;
        case MsgIcon::None: break;
    }
    return 0;
}

UINT ButtonFlag(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkCancel: return MB_OKCANCEL;
        case MsgButtons::YesNo: return MB_YESNO;
        case MsgButtons::YesNoCancel: return MB_YESNOCANCEL;
        case MsgButtons::Ok: break;
    }
    return MB_OK;
}

MsgAnswer AnswerOf(int id) {
    switch (id) {
        case IDYES: return MsgAnswer::Yes;
        case IDNO: return MsgAnswer::No;
        case IDCANCEL: return MsgAnswer::Cancel;
        default: return MsgAnswer::Ok;
    }
}

}  // namespace

MsgAnswer WinMessageBoxes::Show(const MessageBoxRequest& request) {
    // Owned by the active window of this thread when there is one; without
    // one the box is task-modal so that it still blocks the program's windows.
    HWND owner = GetActiveWindow();
    UINT flags = IconFlag(request.icon) | ButtonFlag(request.buttons) | MB_SETFOREGROUND;
    if (request.modality == MsgModality::System) {
        flags |= MB_SYSTEMMODAL;
    } else if (owner == nullptr) {
        flags |= MB_TASKMODAL;
    }
    const int id = MessageBoxW(owner, Widen(request.text).c_str(),
                               Widen(request.title.empty() ? m_ProgramTitle : request.title).c_str(), flags);
    return AnswerOf(id);
}

}  // namespace platform

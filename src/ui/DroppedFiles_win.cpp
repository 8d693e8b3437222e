#include "ui/DroppedFiles_win.h"

#include <shellapi.h>

#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace ui {
namespace {

// Gives the drop back however the reading ends.
class DropOwner {
public:
    explicit DropOwner(HDROP drop) : m_Drop(drop) {}
    ~DropOwner() {
        try {
            platform::SystemEntry<decltype(&DragFinish)>(L"shell32.dll", "DragFinish")(m_Drop);
        } catch (...) {}
    }
    DropOwner(const DropOwner&) = delete;
    DropOwner& operator=(const DropOwner&) = delete;

private:
    HDROP m_Drop;
};

}  // namespace

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
    const DropOwner owner(drop);
    const auto query = platform::SystemEntry<decltype(&DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    std::vector<std::string> paths;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = query(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT got = query(drop, i, path.data(), length + 1);
        path.resize(got);
        if (!path.empty()) paths.push_back(platform::Narrow(path));
    }
    return paths;
}

}  // namespace ui

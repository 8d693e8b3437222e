#include "ui/ImageList_win.h"

namespace ui {

void ImageList::Add(std::string key, platform::UniqueBitmap picture) {
    m_Pictures.push_back({std::move(key), std::move(picture), {}});
}

HBITMAP ImageList::Picture(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return m_Pictures[static_cast<std::size_t>(index - 1)].picture.get();
}

int ImageList::IndexOf(std::string_view key) const {
    for (std::size_t i = 0; i < m_Pictures.size(); ++i) {
        if (m_Pictures[i].key == key) return static_cast<int>(i) + 1;
    }
    return 0;
}

HBITMAP ImageList::Picture(std::string_view key) const { return Picture(IndexOf(key)); }

SIZE ImageList::Size(int index) const {
    BITMAP info{};
    if (HBITMAP picture = Picture(index)) GetObjectW(picture, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

HICON ImageList::Icon(int index) {
    HBITMAP picture = Picture(index);
    if (picture == nullptr) return nullptr;
    Entry& entry = m_Pictures[static_cast<std::size_t>(index - 1)];
    if (!entry.icon) {
        // A mask of zeros: every pixel of the picture shows.
        const SIZE size = Size(index);
        std::vector<BYTE> zeros(static_cast<std::size_t>(((size.cx + 15) / 16) * 2 * size.cy), 0);
        const platform::UniqueBitmap mask(CreateBitmap(size.cx, size.cy, 1, 1, zeros.data()));
        ICONINFO info{TRUE, 0, 0, mask.get(), picture};
        entry.icon.reset(CreateIconIndirect(&info));
    }
    return entry.icon.get();
}

HICON ImageList::Icon(std::string_view key) { return Icon(IndexOf(key)); }

void ImageList::Draw(int index, HDC dc, int x, int y, int width, int height, int srcX, int srcY) const {
    HBITMAP picture = Picture(index);
    if (picture == nullptr) return;
    const platform::UniqueDC source(CreateCompatibleDC(dc));
    const platform::SelectedObject selected(source.get(), picture);
    BitBlt(dc, x, y, width, height, source.get(), srcX, srcY, SRCCOPY);
}

}  // namespace ui

#include "toolbars/clButtonItemList.h"

#include <string>

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"

namespace {

using Store = std::vector<std::unique_ptr<clButtonItem>>;

// The length of the entry at `pos`; 0 when it runs past the end.
std::size_t EntryLength(const ByteArray& bytes, std::size_t pos) {
    const std::size_t left = bytes.size() - pos;
    if (left < static_cast<std::size_t>(clButtonItem::kHeadSize)) return 0;
    const std::size_t length = static_cast<std::size_t>(clButtonItem::kHeadSize) + bytes[pos + 4];
    return length <= left ? length : 0;
}

// Cuts one entry off at `pos`; refuses one that runs past the end.
std::unique_ptr<clButtonItem> TakeEntry(const ByteArray& bytes, std::size_t& pos) {
    const std::size_t length = EntryLength(bytes, pos);
    if (length == 0) Raise(ErrorNumber::SubscriptOutOfRange, std::string(texts::kButtonListTruncated));
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(pos);
    auto item = std::make_unique<clButtonItem>();
    item->SetBytesArray(ByteArray(first, first + static_cast<std::ptrdiff_t>(length)));
    pos += length;
    return item;
}

}  // namespace

clButtonItemList::clButtonItemList(const clButtonItemList& other) {
    m_Items.reserve(other.m_Items.size());
    for (const auto& item : other.m_Items) m_Items.push_back(std::make_unique<clButtonItem>(*item));
}

clButtonItemList& clButtonItemList::operator=(const clButtonItemList& other) {
    if (this != &other) *this = clButtonItemList(other);
    return *this;
}

void clButtonItemList::SetByteArray(const ByteArray& bytes) {
    Store parsed;
    for (std::size_t pos = 0; pos < bytes.size();) parsed.push_back(TakeEntry(bytes, pos));
    m_Items.reserve(m_Items.size() + parsed.size());
    for (auto& item : parsed) m_Items.push_back(std::move(item));
}

std::vector<std::uint32_t> clButtonItemList::IDsOf(const ByteArray& bytes) {
    std::vector<std::uint32_t> ids;
    for (std::size_t pos = 0, length = 0; pos < bytes.size() && (length = EntryLength(bytes, pos)) != 0;
         pos += length) {
        ids.push_back(littleendian::ReadU32(bytes, pos));
    }
    return ids;
}

ByteArray clButtonItemList::GetByteArray() const {
    std::size_t total = 0;
    for (const auto& item : m_Items) total += item->Bytes().size();
    ByteArray out;
    out.reserve(total);
    for (const auto& item : m_Items) out.insert(out.end(), item->Bytes().begin(), item->Bytes().end());
    return out;
}

std::size_t clButtonItemList::Slot(std::int32_t Index) const {
    if (Index < 1 || Index > Count()) {
        Raise(ErrorNumber::SubscriptOutOfRange);
    }
    return static_cast<std::size_t>(Index - 1);
}

clButtonItem& clButtonItemList::Item(std::int32_t Index) { return *m_Items[Slot(Index)]; }

const clButtonItem& clButtonItemList::Item(std::int32_t Index) const { return *m_Items[Slot(Index)]; }

void clButtonItemList::Add(std::int32_t CommandID) {
    auto item = std::make_unique<clButtonItem>();
    item->ID(CommandID);
    m_Items.push_back(std::move(item));
}

void clButtonItemList::Remove(std::int32_t Index) {
    m_Items.erase(m_Items.begin() + static_cast<std::ptrdiff_t>(Slot(Index)));
    // RawID: a last entry out of the signed range is no separator and must
    // not turn a finished removal into an overflow error.
    if (!m_Items.empty() && m_Items.back()->RawID() == 0) m_Items.pop_back();
}

#include "toolbars/clButtonItem.h"

#include <string>

#include "common/AppError.h"
#include "common/UiTexts.h"

namespace {

[[noreturn]] void ThrowSubscript() {
    throw AppError(ErrorNumber::SubscriptOutOfRange, std::string(texts::kSubscriptOutOfRange));
}

}  // namespace

clButtonItem::clButtonItem() : bytes_(kHeadSize, 0) {}

void clButtonItem::SetBytesArray(const ByteArray& bytes) {
    if (bytes.size() < static_cast<std::size_t>(kHeadSize)) {
        throw AppError(ErrorNumber::SubscriptOutOfRange, std::string(texts::kButtonEntryTooShort));
    }
    bytes_ = bytes;
}

std::uint32_t clButtonItem::RawID() const {
    return static_cast<std::uint32_t>(bytes_[0]) | (static_cast<std::uint32_t>(bytes_[1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[2]) << 16) | (static_cast<std::uint32_t>(bytes_[3]) << 24);
}

std::int32_t clButtonItem::ID() const {
    if (bytes_[3] >= 0x80) throw AppError(ErrorNumber::Overflow, std::string(texts::kOverflow));
    return static_cast<std::int32_t>(RawID());
}

void clButtonItem::ID(std::int32_t lWert) {
    if (lWert < 0) throw AppError(ErrorNumber::InvalidCall, std::string(texts::kButtonIdNegative));
    const auto u = static_cast<std::uint32_t>(lWert);
    for (int k = 0; k < 4; ++k) bytes_[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(u >> (8 * k));
}

std::int32_t clButtonItem::BytesCount() const { return static_cast<std::int32_t>(bytes_.size()); }

std::uint8_t clButtonItem::aByte(std::int32_t Index) const {
    if (Index < 0 || Index >= BytesCount()) ThrowSubscript();
    return bytes_[static_cast<std::size_t>(Index)];
}

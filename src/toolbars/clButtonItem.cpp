#include "toolbars/clButtonItem.h"

#include <string>

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"

namespace {

[[noreturn]] void ThrowSubscript() { Raise(ErrorNumber::SubscriptOutOfRange); }

}  // namespace

clButtonItem::clButtonItem() : m_Bytes(kHeadSize, 0) {}

void clButtonItem::SetBytesArray(const ByteArray& bytes) {
    if (bytes.size() < static_cast<std::size_t>(kHeadSize)) {
        Raise(ErrorNumber::SubscriptOutOfRange, std::string(texts::kButtonEntryTooShort));
    }
    m_Bytes = bytes;
}

std::uint32_t clButtonItem::RawID() const { return littleendian::ReadU32(m_Bytes, 0); }

std::int32_t clButtonItem::ID() const { return littleendian::ReadI32(m_Bytes, 0); }

void clButtonItem::ID(std::int32_t lWert) {
    if (lWert < 0) Raise(ErrorNumber::InvalidCall, std::string(texts::kButtonIdNegative));
    littleendian::WriteU32(m_Bytes, 0, static_cast<std::uint32_t>(lWert));
}

std::int32_t clButtonItem::BytesCount() const { return static_cast<std::int32_t>(m_Bytes.size()); }

std::uint8_t clButtonItem::aByte(std::int32_t Index) const {
    if (Index < 0 || Index >= BytesCount()) ThrowSubscript();
    return m_Bytes[static_cast<std::size_t>(Index)];
}

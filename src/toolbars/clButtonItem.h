#pragma once
// One entry of a toolbar's "Buttons" value: a 4-byte little-endian
// identifier, a count byte n and n bytes that belong to ACT! alone.
#include <cstdint>

#include "base/RegistryValue.h"

class clButtonItem {
public:
    static constexpr std::int32_t kHeadSize = 5;

    clButtonItem();  // a separator: ID 0, no extra bytes

    // Takes the bytes over whole. Fewer than 5 bytes would leave no room for
    // the identifier and count; such input is refused and the entry kept.
    void SetBytesArray(const ByteArray& bytes);

    // The identifier as a signed number; one of 2^31 or more does not fit and
    // raises an overflow error, as ACT!'s identifiers are read everywhere else.
    std::int32_t ID() const;
    // Negative values are refused: they have no little-endian form that reads
    // back as the same identifier.
    void ID(std::int32_t lWert);

    std::int32_t BytesCount() const;
    std::uint8_t aByte(std::int32_t Index) const;

    // The stored identifier without interpretation; for comparisons that must
    // not fail on identifiers out of the signed range.
    std::uint32_t RawID() const;
    const ByteArray& Bytes() const { return m_Bytes; }

private:
    ByteArray m_Bytes;
};

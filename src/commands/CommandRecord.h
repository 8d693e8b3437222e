#pragma once
// Where things lie in ACT!'s binary command values: the 1172-byte command
// record and the stored button images. Every offset and width is read from here.
#include <cstddef>

namespace record {

// A fixed-width text field: bytes first to last, inclusive.
struct TextField {
    std::size_t first;
    std::size_t last;
    constexpr std::size_t Width() const { return last - first + 1; }
};

inline constexpr std::size_t kSize = 1172;
inline constexpr std::size_t kCommandIdOffset = 0;  // 4 bytes; bytes 4 to 15 are ACT!'s alone
inline constexpr TextField kName{16, 143};
inline constexpr TextField kZeile{144, 399};
inline constexpr TextField kStart{400, 657};
inline constexpr TextField kQuickInfo{658, 721};
inline constexpr TextField kBeschreibung{722, 849};
inline constexpr TextField kMenu{850, 1171};

}  // namespace record

namespace image {

// A stored image: a 40-byte bitmap information header, then the pixel bytes.
inline constexpr std::size_t kHeaderSize = 40;
inline constexpr std::size_t kWidthOffset = 4;
inline constexpr std::size_t kHeightOffset = 8;
inline constexpr std::size_t kSizeOffset = 20;

}  // namespace image

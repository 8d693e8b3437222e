#include "support/PictureFiles_win.h"

namespace support {
namespace {

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int width = 4) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> InfoHeader(std::int32_t width, std::int32_t height, std::uint32_t size) {
    std::vector<std::uint8_t> header;
    Put(header, 40);
    Put(header, static_cast<std::uint32_t>(width));
    Put(header, static_cast<std::uint32_t>(height));
    Put(header, 1, 2);
    Put(header, 32, 2);
    Put(header, 0);
    Put(header, size);
    for (int i = 0; i < 4; ++i) Put(header, 0);
    return header;
}

std::vector<std::uint8_t> BottomUp(const platform::Pixels& pixels) {
    std::vector<std::uint8_t> rows;
    for (int y = pixels.height - 1; y >= 0; --y) {
        const auto from = pixels.bgra.begin() + y * pixels.width * 4;
        rows.insert(rows.end(), from, from + pixels.width * 4);
    }
    return rows;
}

}  // namespace

std::vector<std::uint8_t> BmpFile(const platform::Pixels& pixels) {
    std::vector<std::uint8_t> rows = BottomUp(pixels);
    for (std::size_t alpha = 3; alpha < rows.size(); alpha += 4) rows[alpha] = 0;
    std::vector<std::uint8_t> file = {'B', 'M'};
    Put(file, static_cast<std::uint32_t>(14 + 40 + rows.size()));
    Put(file, 0);
    Put(file, 14 + 40);
    const auto info = InfoHeader(pixels.width, pixels.height, static_cast<std::uint32_t>(rows.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

// The image's header gives twice the height: the mask (rows of 32 bits, all shown) follows the colours.
std::vector<std::uint8_t> IcoFile(const platform::Pixels& pixels) {
    const std::vector<std::uint8_t> rows = BottomUp(pixels);
    std::vector<std::uint8_t> image = InfoHeader(pixels.width, pixels.height * 2, 0);
    image.insert(image.end(), rows.begin(), rows.end());
    image.insert(image.end(), static_cast<std::size_t>((pixels.width + 31) / 32 * 4 * pixels.height), 0);
    std::vector<std::uint8_t> file;
    Put(file, 0, 2);
    Put(file, 1, 2);
    Put(file, 1, 2);
    file.insert(file.end(), {static_cast<std::uint8_t>(pixels.width), static_cast<std::uint8_t>(pixels.height), 0, 0});
    Put(file, 1, 2);
    Put(file, 32, 2);
    Put(file, static_cast<std::uint32_t>(image.size()));
    Put(file, 6 + 16);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

}  // namespace support

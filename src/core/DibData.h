#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A BMP file image, checked and brought into the one form that is drawn without surprises:
// a 40-byte BITMAPINFOHEADER (followed by the three masks for BI_BITFIELDS and by the full
// colour table for 1, 4 and 8 bits) and the pixel rows bottom row first, each padded to 4 bytes.
struct DibData {
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool Empty() const { return bits.empty(); }
};

// Larger than any picture a CD shows; a bigger file is not read into memory.
constexpr std::size_t kMaxDibFile = 64u << 20;

// Parses the BMP that starts at data. Anything that cannot be drawn safely (not "BM", an
// unknown header, compression other than bit fields, sizes that overflow or do not fit the
// data) gives an empty result.
DibData ParseDib(const std::uint8_t* data, std::size_t size);

#include "core/DibData.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t U16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

// The fields we act on, whichever header the file has.
struct Header {
    std::uint32_t size;
    std::int64_t width;
    std::int64_t height;
    std::uint32_t bpp;
    std::uint32_t compression;
    std::uint32_t clrUsed;
};

bool ReadHeader(const std::uint8_t* p, std::size_t avail, Header& h) {
    if (avail < 4) return false;
    h.size = U32(p);
    if (h.size > avail) return false;
    if (h.size == kCoreHeader) {
        h.width = U16(p + 4);
        h.height = U16(p + 6);
        h.bpp = U16(p + 10);
        h.compression = kBiRgb;
        h.clrUsed = 0;
        return true;
    }
    if (h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124) return false;
    h.width = std::int32_t(U32(p + 4));
    h.height = std::int32_t(U32(p + 8));
    h.bpp = U16(p + 14);
    h.compression = U32(p + 16);
    h.clrUsed = U32(p + 32);
    return true;
}

bool Drawable(const Header& h) {
    switch (h.bpp) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.compression != kBiRgb) return false;
        break;
    case 16:
    case 32:
        if (h.compression != kBiRgb && h.compression != kBiBitfields) return false;
        break;
    default:
        return false;
    }
    return h.width > 0 && h.height != 0;
}
} // namespace

DibData ParseDib(const std::uint8_t* data, std::size_t size) {
    DibData dib;
    if (size < kFileHeader || data[0] != 'B' || data[1] != 'M') return dib;
    const std::uint64_t offBits = U32(data + 10);
    Header h{};
    if (!ReadHeader(data + kFileHeader, size - kFileHeader, h) || !Drawable(h)) return dib;

    // Masks follow a 40-byte header and are part of every longer one.
    const bool bitfields = h.compression == kBiBitfields;
    std::uint64_t pos = kFileHeader + h.size;
    const std::uint8_t* masks = data + kFileHeader + kInfoHeader;
    if (bitfields && h.size == kInfoHeader) {
        if (pos + 12 > size) return dib;
        pos += 12;
    }

    const std::uint32_t entries = h.bpp <= 8 ? 1u << h.bpp : 0;
    const std::uint32_t stored = h.clrUsed > 0 && h.clrUsed < entries ? h.clrUsed : entries;
    const std::uint32_t entrySize = h.size == kCoreHeader ? 3 : 4;
    const std::uint8_t* table = data + pos;
    if (pos + std::uint64_t(stored) * entrySize > size) return dib;

    const std::uint64_t rows = h.height < 0 ? -h.height : h.height;
    const std::uint64_t rowSize = (std::uint64_t(h.width) * h.bpp + 31) / 32 * 4;
    if (offBits > size || rows > (size - offBits) / rowSize) return dib;
    const std::uint64_t imageSize = rowSize * rows;
    if (imageSize > 0xFFFFFFFFu) return dib;

    dib.info.assign(kInfoHeader + (bitfields ? 12 : 0) + entries * 4, 0);
    std::uint8_t* info = dib.info.data();
    Put32(info, kInfoHeader);
    Put32(info + 4, std::uint32_t(h.width));
    Put32(info + 8, std::uint32_t(rows));
    Put16(info + 12, 1);
    Put16(info + 14, h.bpp);
    Put32(info + 16, h.compression);
    Put32(info + 20, std::uint32_t(imageSize));
    if (bitfields) std::memcpy(info + kInfoHeader, masks, 12);
    for (std::uint32_t i = 0; i < stored; ++i)
        std::memcpy(info + kInfoHeader + 4 * i, table + entrySize * i, entrySize);

    // Stored top-down: turn it over so that every user can count rows from the bottom.
    const std::uint8_t* src = data + offBits;
    dib.bits.assign(src, src + imageSize);
    if (h.height < 0) {
        for (std::uint64_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(dib.bits.begin() + top * rowSize, dib.bits.begin() + (top + 1) * rowSize,
                             dib.bits.begin() + bottom * rowSize);
    }
    dib.width = std::int32_t(h.width);
    dib.height = std::int32_t(rows);
    return dib;
}

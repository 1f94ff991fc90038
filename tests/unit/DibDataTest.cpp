#include "core/DibData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes Load(const std::string& name) {
    std::ifstream f(std::string(FIXTURES_DIR) + "/bmp/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

// Scales a bit-field channel to 8 bits.
int Channel(std::uint32_t px, std::uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!(mask >> shift & 1))
        ++shift;
    const std::uint32_t max = mask >> shift;
    return int(((px & mask) >> shift) * 255 / max);
}

// Reads pixel (x, y), y counted from the top, as red, green, blue out of the parsed form.
void Pixel(const DibData& d, int x, int y, int rgb[3]) {
    const int bpp = d.info[14];
    const std::size_t row = (std::size_t(d.width) * bpp + 31) / 32 * 4;
    const std::uint8_t* line = d.bits.data() + row * (d.height - 1 - y);
    std::uint32_t px = 0;
    if (bpp <= 8) {
        const int index = (line[x * bpp / 8] >> (8 - bpp - x * bpp % 8)) & ((1 << bpp) - 1);
        const std::uint8_t* q = d.info.data() + 40 + 4 * index;
        rgb[0] = q[2], rgb[1] = q[1], rgb[2] = q[0];
        return;
    }
    std::memcpy(&px, line + x * bpp / 8, bpp / 8);
    std::uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
    if (bpp == 16) masks[0] = 0x7C00, masks[1] = 0x3E0, masks[2] = 0x1F;
    if (Get32(d.info.data() + 16) == 3)
        for (int i = 0; i < 3; ++i)
            masks[i] = Get32(d.info.data() + 40 + 4 * i);
    for (int i = 0; i < 3; ++i)
        rgb[i] = Channel(px, masks[i]);
}

struct Depth {
    const char* file;
    int bpp;
    std::size_t infoSize;
    int tolerance; // 16-bit channels keep 5 or 6 bits
};

class EveryDepth : public testing::TestWithParam<Depth> {};

// Each fixture reads back as the colours ImageMagick itself sees in it.
TEST_P(EveryDepth, ParsesToTheColoursImageMagickSees) {
    const Depth& t = GetParam();
    const Bytes file = Load(std::string(t.file) + ".bmp");
    const Bytes rgb = Load(std::string(t.file) + ".rgb");
    ASSERT_FALSE(file.empty());
    const DibData d = ParseDib(file.data(), file.size());
    ASSERT_FALSE(d.Empty());
    EXPECT_EQ(37, d.width);
    EXPECT_EQ(23, d.height);
    EXPECT_EQ(40u, Get32(d.info.data()));
    EXPECT_EQ(t.bpp, d.info[14]);
    EXPECT_EQ(t.infoSize, d.info.size());
    EXPECT_EQ((37u * t.bpp + 31) / 32 * 4 * 23, d.bits.size());
    ASSERT_EQ(37u * 23 * 3, rgb.size());
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            int px[3];
            Pixel(d, x, y, px);
            for (int c = 0; c < 3; ++c)
                ASSERT_NEAR(rgb[(y * 37 + x) * 3 + c], px[c], t.tolerance)
                    << x << "," << y << " channel " << c;
        }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EveryDepth,
                         testing::Values(Depth{"bmp3-1", 1, 48, 0}, Depth{"bmp3-4", 4, 104, 0},
                                         Depth{"bmp3-8", 8, 1064, 0}, Depth{"bmp3-24", 24, 40, 0},
                                         Depth{"bmp2-8", 8, 1064, 0}, Depth{"bmp2-24", 24, 40, 0},
                                         Depth{"bmp5-8", 8, 1064, 0}, Depth{"bmp5-16", 16, 52, 8},
                                         Depth{"bmp5-24", 24, 40, 0}, Depth{"bmp5-32", 32, 52, 0},
                                         Depth{"topdown-24", 24, 40, 0}),
                         [](const auto& info) {
                             std::string n = info.param.file;
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });

TEST(DibData, ShortColourTableIsFilledWithBlack) {
    Bytes file = Load("bmp3-4.bmp");
    Set32(file, 46, 3); // only three colours stored
    const DibData d = ParseDib(file.data(), file.size());
    ASSERT_FALSE(d.Empty());
    ASSERT_EQ(40u + 16 * 4, d.info.size());
    EXPECT_EQ(0, std::memcmp(file.data() + 54, d.info.data() + 40, 12));
    EXPECT_EQ(Bytes(13 * 4, 0), Bytes(d.info.begin() + 52, d.info.end()));
}

constexpr std::size_t kNone = ~std::size_t(0);

// What cannot be drawn safely leaves the image empty.
struct Damage {
    const char* what;
    const char* file;
    std::size_t at; // where a 32-bit value is written; kNone = nowhere
    std::uint32_t value;
    std::size_t keep; // bytes kept of the file; 0 = all
};

class BadFile : public testing::TestWithParam<Damage> {};

TEST_P(BadFile, GivesAnEmptyImage) {
    const Damage& t = GetParam();
    Bytes file = Load(t.file);
    if (t.at != kNone) Set32(file, t.at, t.value);
    if (t.keep) file.resize(t.keep);
    EXPECT_TRUE(ParseDib(file.data(), file.size()).Empty()) << t.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFile,
    testing::Values(Damage{"not BM", "bmp3-24.bmp", 0, 0x4D43, 0},
                    Damage{"file header only", "bmp3-24.bmp", kNone, 0, 14},
                    Damage{"cut in the info header", "bmp3-24.bmp", kNone, 0, 40},
                    Damage{"cut in the colour table", "bmp3-8.bmp", kNone, 0, 600},
                    Damage{"cut in the pixels", "bmp3-24.bmp", kNone, 0, 2629},
                    Damage{"pixel offset past the end", "bmp3-24.bmp", 10, 0xFFFFFFF0u, 0},
                    Damage{"pixel offset leaves too few bytes", "bmp3-24.bmp", 10, 60, 0},
                    Damage{"width x height overflows", "bmp5-32.bmp", 18, 0x7FFFFFFF, 0},
                    Damage{"height overflows", "bmp5-32.bmp", 22, 0x7FFFFFFF, 0},
                    Damage{"most negative height", "bmp3-24.bmp", 22, 0x80000000u, 0},
                    Damage{"zero width", "bmp3-24.bmp", 18, 0, 0},
                    Damage{"negative width", "bmp3-24.bmp", 18, 0xFFFFFFFFu, 0},
                    Damage{"zero height", "bmp3-24.bmp", 22, 0, 0},
                    Damage{"unknown header size", "bmp3-24.bmp", 14, 64, 0},
                    Damage{"header longer than the file", "bmp3-24.bmp", 14, 0x7FFFFFFF, 0},
                    Damage{"2 bits per pixel", "bmp3-24.bmp", 28, 2, 0},
                    Damage{"bit fields on 24 bits", "bmp3-24.bmp", 30, 3, 0},
                    Damage{"JPEG inside", "bmp3-24.bmp", 30, 4, 0}, Damage{"RLE", "rle-8.bmp", kNone, 0, 0}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DibData, EmptyAndTinyInputs) {
    EXPECT_TRUE(ParseDib(nullptr, 0).Empty());
    const std::uint8_t bm[] = {'B', 'M'};
    EXPECT_TRUE(ParseDib(bm, sizeof bm).Empty());
}
} // namespace

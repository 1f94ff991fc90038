#include "core/DmiTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

using namespace std::string_literals;

namespace {
const std::uint32_t kBase = 0xF0000;
typedef std::vector<std::uint8_t> Bytes;

std::vector<std::uint8_t> ReadFixture(const char* name) {
    std::ifstream in(std::string(FIXTURES_DIR) + "/dmi/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// One structure: header, formatted part after the header, raw string-set bytes as given.
Bytes Structure(std::uint8_t type, Bytes formatted, const std::string& set) {
    Bytes s{type, static_cast<std::uint8_t>(4 + formatted.size()), 0, 0};
    s.insert(s.end(), formatted.begin(), formatted.end());
    s.insert(s.end(), set.begin(), set.end());
    return s;
}

// A 64 KB area of filler with an entry point at `entryAt` naming a table at offset `tableAt`.
struct Area {
    Bytes bytes = Bytes(0x10000, 0xCC);

    Area& Entry(std::size_t at, std::uint32_t address, std::uint16_t count) {
        const Bytes e{'_',
                      'D',
                      'M',
                      'I',
                      '_',
                      0,
                      0,
                      0,
                      std::uint8_t(address),
                      std::uint8_t(address >> 8),
                      std::uint8_t(address >> 16),
                      std::uint8_t(address >> 24),
                      std::uint8_t(count),
                      std::uint8_t(count >> 8),
                      0x21,
                      0};
        return Put(at, e);
    }
    Area& Put(std::size_t at, const Bytes& b) {
        std::copy(b.begin(), b.end(), bytes.begin() + at);
        return *this;
    }
    Area& Table(std::size_t at, std::uint16_t count, const std::vector<Bytes>& structures) {
        Entry(0x100, kBase + static_cast<std::uint32_t>(at), count);
        for (const Bytes& s : structures) {
            Put(at, s);
            at += s.size();
        }
        return *this;
    }
    bool Parse(DmiStrings& out) const { return ParseDmiArea(bytes.data(), bytes.size(), kBase, out); }
};

const std::string kBiosSet = "Award\0"
                             "1.0\0"
                             "05/02/2001\0\0"s;
const Bytes kBios = Structure(0, {1, 2, 0, 0, 3, 0}, kBiosSet);
const Bytes kBoard = Structure(2, {1, 2, 0, 0},
                               "VORN\0"
                               "VN-8K\0\0"s);
const Bytes kEnd = Structure(127, {}, "\0\0"s);
} // namespace

TEST(DmiTable, RealTablesGiveBoardAndBiosStrings) {
    struct {
        const char* file;
        const char *product, *vendor, *date;
    } const cases[] = {
        {"award-smbios23.bin", "VN-KT400A", "Award Software International, Inc.", "07/15/2003"},
        {"ami-dmi20.bin", "P5A-B", "American Megatrends Inc.", "10/23/98"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes area = ReadFixture(c.file);
        ASSERT_EQ(0x10000u, area.size());
        DmiStrings out;
        ASSERT_TRUE(ParseDmiArea(area.data(), area.size(), kBase, out));
        EXPECT_EQ(c.product, out.BoardProduct);
        EXPECT_EQ(c.vendor, out.BiosVendor);
        EXPECT_EQ(c.date, out.BiosDate);
    }
}

TEST(DmiTable, WithoutAnchorFailsAndLeavesOutput) {
    Area noAnchor;
    Area unaligned;
    unaligned.Table(0x2000, 3, {kBios, kBoard, kEnd});
    unaligned.Put(0x100, {0}).Put(0x108, {'_', 'D', 'M', 'I', '_'});
    for (const Area* a : {&noAnchor, &unaligned}) {
        DmiStrings out{"keep", "keep", "keep"};
        EXPECT_FALSE(a->Parse(out));
        EXPECT_EQ("keep", out.BoardProduct);
    }
    DmiStrings out;
    EXPECT_FALSE(ParseDmiArea(nullptr, 0, kBase, out));
    const std::uint8_t shortArea[] = {'_', 'D', 'M', 'I', '_', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ParseDmiArea(shortArea, sizeof shortArea, kBase, out));
}

TEST(DmiTable, AnchorInLastSlotIsFound) {
    Area a;
    a.Put(0x4000, kBoard).Entry(0xFFF0, kBase + 0x4000, 1);
    DmiStrings out;
    ASSERT_TRUE(a.Parse(out));
    EXPECT_EQ("VN-8K", out.BoardProduct);
}

TEST(DmiTable, TableOutsideAreaGivesAnchorButNoStrings) {
    for (std::uint32_t address : {0u, kBase - 1, kBase + 0x10000, 0xFFFFFFFFu}) {
        Area a;
        a.Put(0x4000, kBoard).Entry(0x100, address, 1);
        DmiStrings out{"x", "x", "x"};
        EXPECT_TRUE(a.Parse(out)) << address;
        EXPECT_EQ("", out.BoardProduct);
        EXPECT_EQ("", out.BiosVendor);
    }
}

TEST(DmiTable, StructureCountBoundsTheWalk) {
    DmiStrings out;
    // The board comes after the one structure counted.
    ASSERT_TRUE(Area().Table(0x2000, 1, {kBios, kBoard, kEnd}).Parse(out));
    EXPECT_EQ("Award", out.BiosVendor);
    EXPECT_EQ("05/02/2001", out.BiosDate);
    EXPECT_EQ("", out.BoardProduct);

    // A count larger than the table: what follows the end-of-table structure is not read.
    const Bytes stray = Structure(2, {0, 1, 0, 0}, "Stray\0\0"s);
    ASSERT_TRUE(Area().Table(0x2000, 500, {kBios, kBoard, kEnd, stray}).Parse(out));
    EXPECT_EQ("VN-8K", out.BoardProduct);
}

TEST(DmiTable, StringNumbersPickFromTheStructuresOwnSet) {
    struct {
        const char* what;
        Bytes board;
        const char* product;
    } const cases[] = {
        {"second string", Structure(2, {1, 2, 0, 0}, "Maker\0Prod\0\0"s), "Prod"},
        {"first string", Structure(2, {0, 1, 0, 0}, "P5A-B\0\0"s), "P5A-B"},
        {"number 0", Structure(2, {1, 0, 0, 0}, "Maker\0\0"s), ""},
        {"number past the set", Structure(2, {1, 3, 0, 0}, "Maker\0Prod\0\0"s), ""},
        {"no strings", Structure(2, {1, 2, 0, 0}, "\0\0"s), ""},
        {"field past the length", Structure(2, {1}, "Maker\0Prod\0\0"s), ""},
    };
    for (const auto& c : cases) {
        DmiStrings out;
        ASSERT_TRUE(Area().Table(0x2000, 3, {c.board, kBios, kEnd}).Parse(out)) << c.what;
        EXPECT_EQ(c.product, out.BoardProduct) << c.what;
        // The walk stayed in step: the next structure was read whole.
        EXPECT_EQ("05/02/2001", out.BiosDate) << c.what;
    }
}

TEST(DmiTable, BrokenStructuresStopTheWalkInsideTheArea) {
    struct {
        const char* what;
        std::size_t at;
        std::vector<Bytes> structures;
        const char *product, *vendor;
    } const cases[] = {
        {"length below the header", 0x2000, {kBios, Bytes{1, 3, 0, 0}, kBoard}, "", "Award"},
        {"length zero", 0x2000, {kBios, Bytes{2, 0, 0, 0}, kBoard}, "", "Award"},
        {"length past the area", 0xFFF0, {Bytes{2, 0x40, 0, 0}}, "", ""},
        {"header past the area", 0xFFFE, {Bytes{2, 8}}, "", ""},
        {"set without its closing NUL",
         0x10000 - 16,
         {Structure(2, {1, 2, 0, 0}, "Mk\0Prod\0"s)},
         "Prod",
         ""},
        {"string without its NUL", 0x10000 - 15, {Structure(2, {1, 2, 0, 0}, "Mk\0Prod"s)}, "", ""},
    };
    for (const auto& c : cases) {
        Area a;
        a.Table(c.at, 3, c.structures);
        DmiStrings out;
        ASSERT_TRUE(a.Parse(out)) << c.what;
        EXPECT_EQ(c.product, out.BoardProduct) << c.what;
        EXPECT_EQ(c.vendor, out.BiosVendor) << c.what;
    }
}

#include <gtest/gtest.h>

#include "core/OsFacts.h"

namespace {
// The flags as a string of set names, so a wrong extra flag shows in the failure.
std::string SetFlags(const OsFlags& f) {
    const std::pair<bool, const char*> all[] = {
        {f.Is9x, "9x"},      {f.IsWin95, "95"},       {f.IsWin98, "98"}, {f.IsWinME, "ME"},
        {f.IsNT, "NT"},      {f.IsWin2000, "2000"},   {f.IsWinXP, "XP"}, {f.IsWin2003, "2003"},
        {f.IsWinXPA, "XPA"}, {f.IsWin2003A, "2003A"},
    };
    std::string s;
    for (const auto& a : all)
        if (a.first) s += std::string(s.empty() ? "" : " ") + a.second;
    return s;
}

TEST(OsFacts, ClassifiesEveryVersionLine) {
    const struct {
        unsigned platform, major, minor;
        bool wow64;
        const char* flags;
    } cases[] = {
        {1, 4, 0, false, "9x 95"},  // Windows 95
        {1, 3, 95, false, "9x 95"}, // below 4 is 95 whatever the minor
        {1, 4, 10, false, "9x 98"}, // Windows 98 SE
        {1, 4, 50, false, "9x 98"},
        {1, 4, 51, false, "9x ME"},
        {1, 4, 90, false, "9x ME"}, // Windows ME
        {1, 4, 90, true, "9x ME"},  // WOW64 moves only XP and 2003
        {1, 5, 0, false, "9x 98"},
        {2, 5, 0, false, "NT 2000"},
        {2, 5, 0, true, "NT 2000"},
        {2, 5, 1, false, "NT XP"},
        {2, 5, 1, true, "NT XPA"},
        {2, 5, 2, false, "NT 2003"}, // Server 2003, or XP x64 for a 64-bit program
        {2, 5, 2, true, "NT 2003A"}, // XP x64 and Server 2003 x64 under WOW64
        {2, 5, 3, false, "NT 2003"},
        {2, 5, 3, true, "NT 2003A"},
        {2, 4, 0, false, "NT"}, // NT 4
        {2, 6, 0, false, "NT"}, // Vista
        {2, 6, 1, true, "NT"},  // Windows 7 under WOW64
        {2, 10, 0, false, "NT"},
        {0, 5, 1, false, ""}, // failed version call: record left zero
        {0, 0, 0, false, ""},
        {3, 5, 1, false, ""}, // Windows CE
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flags, SetFlags(ClassifyOs(c.platform, c.major, c.minor, c.wow64)))
            << c.platform << " " << c.major << "." << c.minor << (c.wow64 ? " wow64" : "");
}

TEST(OsFacts, LanguageCodeByFullLangId) {
    const struct {
        unsigned id;
        const char* code;
    } cases[] = {
        {0x0409, "ENU"},
        {0x0404, "CHT"},
        {0x0804, "CHS"},
        {0x0412, "KRN"},
        {0x0C0C, "FRC"},
        {0x040C, "FRA"},
        {0x0816, "PTG"},
        {0x080A, "ESM"},
        {0x040A, "ESP"},
        {0x042D, "BAQ"},
        {0x041F, "TUR"},
        // Other sublanguages, the primary language alone and bits above 16 have no code.
        {0x0809, ""},
        {0x0C07, ""},
        {0x0C0A, ""},
        {0x0009, ""},
        {0x0000, ""},
        {0x10409, ""},
        {0xFFFF, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, LanguageCode(c.id)) << std::hex << c.id;
}
// What DetectOS is from the version record, for a CD that asks for modern names and one that does
// not; Windows 95 to 2003 are named either way, an unknown version never.
TEST(OsFacts, NamesFromVersionNumbers) {
    const struct {
        unsigned platform, major, minor, build;
        bool wow64;
        const char *modern, *plain;
    } cases[] = {
        {1, 4, 10, 2222, false, "Win98", "Win98"},
        {2, 5, 1, 2600, false, "WinXP", "WinXP"},
        {2, 5, 2, 3790, true, "Win2003A", "Win2003A"},
        {2, 6, 0, 6002, false, "WinVista", ""},
        {2, 6, 0, 6002, true, "WinVistaA", ""},
        {2, 6, 1, 7601, true, "Win7A", ""},
        {2, 6, 2, 9200, false, "Win8", ""},
        {2, 6, 3, 9600, false, "Win81", ""},
        {2, 6, 4, 9841, false, "Win10", ""}, // the technical previews of Windows 10
        {2, 6, 5, 0, false, "", ""},
        {2, 10, 0, 19045, false, "Win10", ""},
        {2, 10, 0, 19045, true, "Win10A", ""},
        {2, 10, 0, 21999, false, "Win10", ""},
        {2, 10, 0, 22000, false, "Win11", ""},
        {2, 10, 0, 26100, true, "Win11A", ""},
        {2, 10, 1, 30000, false, "", ""},
        {2, 11, 0, 0, false, "", ""},
        {2, 4, 0, 1381, false, "", ""}, // NT 4
    };
    for (const auto& c : cases) {
        const OsFlags os = ClassifyOs(c.platform, c.major, c.minor, c.wow64, c.build);
        EXPECT_EQ(c.modern, OsName(os, true)) << c.major << "." << c.minor << "." << c.build;
        EXPECT_EQ(c.plain, OsName(os, false)) << c.major << "." << c.minor << "." << c.build;
    }
}
} // namespace

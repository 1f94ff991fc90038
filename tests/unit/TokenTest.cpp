#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "FakeSystemFacts.h"
#include "core/MenuModel.h"
#include "core/Token.h"

namespace {
OsFlags Nt5(unsigned minor) {
    return ClassifyOs(kPlatformNT, 5, minor, false);
}
OsFlags Win98() {
    return ClassifyOs(kPlatformWin9x, 4, 10, false);
}

class TokenTest : public ::testing::Test {
  protected:
    FakeSystemFacts facts;
    CToken token{facts};
    std::string Var(const char* name) { return token.GetVariable(name); }
};

TEST_F(TokenTest, ExpandsReferencesInOnePass) {
    facts.moduleFileName = "D:\\CD\\Autorun.exe";
    facts.langId = 0x0404;
    facts.os = Nt5(1);
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"<Path>\\Root.ini", "D:\\CD\\Root.ini"},
        {"plain text", "plain text"},
        {"", ""},
        {"<Lang><DetectOS>", "CHTWinXP"},
        {"<Unknown>x", "x"},
        {"<path>", ""},
        {"<>x<>", "x"},
    };
    for (const auto& c : cases) {
        facts.lastError = 0;
        EXPECT_EQ(c.expanded, token.ExpandVariables(c.text)) << c.text;
        EXPECT_EQ(0u, facts.lastError) << c.text;
    }
}

TEST_F(TokenTest, SyntaxErrorKeepsTextBeforeItAndSetsLastError) {
    facts.langId = 0x0409;
    const struct {
        const char* text;
        const char* partial;
    } cases[] = {
        {"a<b", "a"}, {"a>b", "a"}, {"<a<b>", ""}, {"<Lang>-<Lang", "ENU-"}, {"x<Lang>y>z", "xENUy"},
    };
    for (const auto& c : cases) {
        facts.lastError = 0;
        EXPECT_EQ(c.partial, token.ExpandVariables(c.text)) << c.text;
        EXPECT_EQ(10000u, facts.lastError) << c.text;
    }
}

TEST_F(TokenTest, EveryLookupAsksAgain) {
    facts.os = Nt5(1);
    facts.wmi[{"Win32_BaseBoard", "Product"}] = "P4P800";
    EXPECT_EQ("P4P800|P4P800", token.ExpandVariables("<MBModel>|<MBModel>"));
    EXPECT_EQ(2, facts.wmiQueries);
}

TEST_F(TokenTest, ProgramFolderDropsNameAndOneTrailingSeparator) {
    const struct {
        const char* module;
        const char* path;
    } cases[] = {
        {"E:\\Autorun.exe", "E:"},
        {"D:\\CD\\Autorun.exe", "D:\\CD"},
        {"D:\\CD\\\\Autorun.exe", "D:\\CD\\"},
        {"\\\\server\\share\\Autorun.exe", "\\\\server\\share"},
        {"D:Autorun.exe", "D:"},
        {"Autorun.exe", ""},
        {"", ""},
        {"/media/cdrom/autorun", "/media/cdrom"},
    };
    for (const auto& c : cases) {
        facts.moduleFileName = c.module;
        EXPECT_EQ(c.path, Var("Path")) << c.module;
    }
}

TEST_F(TokenTest, LongValuesAreKeptWhole) {
    const std::string deep = "C:\\" + std::string(300, 'd');
    facts.moduleFileName = deep + "\\Autorun.exe";
    facts.userName = std::string(256, 'u');
    EXPECT_EQ(deep, Var("Path"));
    EXPECT_EQ(facts.userName, Var("UserName"));
}

TEST_F(TokenTest, DetectOsTakesFirstSetFlagInItsOrder) {
    const struct {
        OsFlags os;
        const char* name;
    } cases[] = {
        {ClassifyOs(kPlatformWin9x, 4, 0, false), "Win95"},
        {Win98(), "Win98"},
        {ClassifyOs(kPlatformWin9x, 4, 90, false), "WinME"},
        {Nt5(0), "Win2000"},
        {Nt5(1), "WinXP"},
        {Nt5(2), "Win2003"},
        {ClassifyOs(kPlatformNT, 5, 2, true), "Win2003A"},
        {ClassifyOs(kPlatformNT, 5, 1, true), "WinXPA"},
        {ClassifyOs(kPlatformNT, 4, 0, false), ""},
        {ClassifyOs(kPlatformNT, 6, 1, true), ""},
        {ClassifyOs(0, 0, 0, false), ""},
    };
    for (const auto& c : cases) {
        facts.os = c.os;
        EXPECT_EQ(c.name, Var("DetectOS")) << c.name;
    }
    OsFlags both;
    both.IsWinXPA = both.IsWin2003A = true;
    facts.os = both;
    EXPECT_EQ("Win2003A", Var("DetectOS"));
}

// Vista and later are named only for a CD that asks, in its Root.ini, with YES in any letter case.
TEST_F(TokenTest, DetectOsNamesModernWindowsOnlyWhenTheCdAsks) {
    const std::string folder = "/tmp/modern" + std::to_string(::getpid());
    const std::string root = RootIniPath(folder); // the program's own path form, backslash and all
    facts.moduleFileName = folder + "\\Autorun.exe";
    const struct {
        const char* rootIni; // nullptr: no Root.ini
        OsFlags os;
        const char* name;
    } cases[] = {
        {"[Root]\nDetectModernWindows=yes\n", ClassifyOs(kPlatformNT, 10, 0, true, 19045), "Win10A"},
        {"[root]\ndetectmodernwindows = YES\n", ClassifyOs(kPlatformNT, 6, 1, false, 7601), "Win7"},
        {"[Root]\nDetectModernWindows=1\n", ClassifyOs(kPlatformNT, 10, 0, false, 22621), ""},
        {"[Root]\nDetectModernWindows=YES please\n", ClassifyOs(kPlatformNT, 10, 0, false, 22621), ""},
        {nullptr, ClassifyOs(kPlatformNT, 10, 0, false, 22621), ""},
        {"[Root]\nDetectModernWindows=YES\n", Nt5(1), "WinXP"},
    };
    for (const auto& c : cases) {
        std::remove(root.c_str());
        if (c.rootIni) std::ofstream(root) << c.rootIni;
        facts.os = c.os;
        EXPECT_EQ(c.name, Var("DetectOS")) << (c.rootIni ? c.rootIni : "no Root.ini");
    }
    std::remove(root.c_str());
}

TEST_F(TokenTest, LangIsTheCodeOfTheUsersLanguage) {
    facts.langId = 0x0412;
    EXPECT_EQ("KRN", Var("Lang"));
    facts.langId = 0x0809;
    EXPECT_EQ("", Var("Lang"));
}

TEST_F(TokenTest, BoardModelFromWmiIsCleaned) {
    facts.os = Nt5(1);
    const struct {
        const char* raw;
        const char* model;
    } cases[] = {
        {"XY-9 (rev 1.0)   ", "XY-9"},
        {"  XY", "XY"},
        {"M//N", "M__N"},
        {"A/B//C", "A_B__C"},
        {"A/B", "A/B"},
        {"(x)", ""},
        {"   ", ""},
        {"\tT ", "\tT"},
        {"P5//Q (a//b)", "P5__Q"},
        {"NULL", "NULL"},
        {"", ""},
    };
    for (const auto& c : cases) {
        facts.wmi[{"Win32_BaseBoard", "Product"}] = c.raw;
        EXPECT_EQ(c.model, Var("MBModel")) << '"' << c.raw << '"';
    }
}

TEST_F(TokenTest, DisplayAdapterIdIsTheSubsystemPart) {
    facts.os = Nt5(1);
    const struct {
        const char* id;
        const char* vgaid;
    } cases[] = {
        {"PCI\\VEN_10DE&DEV_0110&SUBSYS_00021043&REV_A1\\4&1F2B&0&0008", "SUBSYS_00021043"},
        {"PCI\\VEN_10DE&DEV_0110&SUBSYS_00021043", ""},
        {"PCI\\VEN_10DE&REV_A1", "PCI\\VEN_10DE&"},
        {"&REV_A1&SUBSYS_1", ""},
        {"NULL", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        facts.wmi[{"Win32_VideoController", "PNPDeviceID"}] = c.id;
        EXPECT_EQ(c.vgaid, Var("VGAID")) << c.id;
    }
    facts.os = Win98();
    facts.wmi[{"Win32_VideoController", "PNPDeviceID"}] = cases[0].id;
    EXPECT_EQ("", Var("VGAID"));
}

TEST_F(TokenTest, ServicePackIsShortened) {
    facts.os = Nt5(1);
    const struct {
        const char* csd;
        const char* sp;
    } cases[] = {
        {"Service Pack 3", "SP3"},
        {"Service Pack 2, v.2096", "SP2, v.2096"},
        {"  Service Pack 1a\t", "SP1a"},
        {"NULL", "SPNULL"},
        {"", ""},
    };
    for (const auto& c : cases) {
        facts.wmi[{"Win32_OperatingSystem", "CSDVersion"}] = c.csd;
        EXPECT_EQ(c.sp, Var("WinSPVer")) << c.csd;
    }
    facts.os = Win98();
    EXPECT_EQ("", Var("WinSPVer"));
}

TEST_F(TokenTest, BiosDateFromWmiWithTheWindows2000YearFix) {
    const struct {
        OsFlags os;
        const char* csd;
        const char* release;
        const char* date;
    } cases[] = {
        {Nt5(0), "Service Pack 2", "19040415000000.000000+000", "04/15/2004"},
        {Nt5(0), "", "19040415000000.000000+000", "04/15/2004"},
        {Nt5(0), "Service Pack 1", "19990101", "01/01/2099"},
        {Nt5(0), "Service Pack 3", "19040415000000.000000+000", "04/15/1904"},
        {Nt5(1), "Service Pack 2", "19040415000000.000000+000", "04/15/1904"},
        {Nt5(1), "", "20030819000000.000000+000", "08/19/2003"},
        {Nt5(1), "", "NULL", "//NULL"},
        {Nt5(0), "", "NULL", "//100"},
        {Nt5(0), "", "12x4", "//112"},
        {Nt5(1), "", "2003081", "08/1/2003"},
        {Nt5(1), "", "", ""},
    };
    for (const auto& c : cases) {
        facts.os = c.os;
        facts.wmi[{"Win32_OperatingSystem", "CSDVersion"}] = c.csd;
        facts.wmi[{"Win32_Bios", "ReleaseDate"}] = c.release;
        EXPECT_EQ(c.date, Var("BIOSDate")) << c.release << " " << c.csd;
    }
}

TEST_F(TokenTest, BiosProviderFromWmiOnNt) {
    facts.os = Nt5(2);
    facts.wmi[{"Win32_Bios", "Manufacturer"}] = "Award Software, Inc.";
    EXPECT_EQ("Award Software, Inc.", Var("BIOSProvider"));
}

// A BIOS area with a legacy DMI entry point and a table of a BIOS, a system and a board structure.
std::vector<std::uint8_t> BiosAreaWithDmi() {
    std::vector<std::uint8_t> area(0x10000, 0);
    const std::uint32_t tableOffset = 0x800;
    std::vector<std::uint8_t> table = {
        0, 0x12, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, // BIOS: vendor 1, date 2
    };
    const char biosStrings[] = "Award Software\0"
                               "08/19/2003\0";
    table.insert(table.end(), biosStrings, biosStrings + sizeof biosStrings);
    const std::uint8_t system[] = {1, 0x08, 1, 0, 0, 0, 0, 0, 0, 0}; // no strings
    table.insert(table.end(), system, system + sizeof system);
    const std::uint8_t board[] = {2, 0x08, 2, 0, 1, 2, 3, 0};
    table.insert(table.end(), board, board + sizeof board);
    const char boardStrings[] = "ASUSTeK\0"
                                "P4P800 (rev 1.0)  \0"
                                "1.xx\0";
    table.insert(table.end(), boardStrings, boardStrings + sizeof boardStrings);
    std::copy(table.begin(), table.end(), area.begin() + tableOffset);

    std::uint8_t* entry = &area[0x120];
    std::memcpy(entry, "_DMI_", 5);
    const std::uint32_t address = 0xF0000 + tableOffset;
    entry[6] = static_cast<std::uint8_t>(table.size());
    entry[7] = static_cast<std::uint8_t>(table.size() >> 8);
    for (int i = 0; i < 4; ++i)
        entry[8 + i] = static_cast<std::uint8_t>(address >> (8 * i));
    entry[12] = 3;
    entry[14] = 0x21;
    std::uint8_t sum = 0;
    for (int i = 0; i < 15; ++i)
        sum = static_cast<std::uint8_t>(sum + entry[i]);
    entry[5] = static_cast<std::uint8_t>(-sum);
    return area;
}

TEST_F(TokenTest, NinexFamilyReadsBoardAndBiosFromDmi) {
    facts.os = Win98();
    facts.hasBiosArea = true;
    facts.biosArea = BiosAreaWithDmi();
    EXPECT_EQ("P4P800", Var("MBModel"));
    EXPECT_EQ("Award Software", Var("BIOSProvider"));
    EXPECT_EQ("08/19/2003", Var("BIOSDate"));
    EXPECT_EQ(0, facts.wmiQueries);
}

TEST_F(TokenTest, ReadDmiWithoutTableLeavesTheValue) {
    std::string value = "kept";
    facts.hasBiosArea = true;
    facts.biosArea.assign(0x10000, 0);
    EXPECT_FALSE(token.ReadDMI("MBModel", value));
    facts.hasBiosArea = false;
    EXPECT_FALSE(token.ReadDMI("MBModel", value));
    EXPECT_EQ("kept", value);
    facts.os = Win98();
    EXPECT_EQ("", Var("MBModel"));
    EXPECT_EQ("", Var("BIOSDate"));
}

TEST_F(TokenTest, DirectXReleaseFromTheRegistryVersion) {
    facts.hasDirectXKey = true;
    const struct {
        const char* version;
        const char* release;
    } cases[] = {
        {"4.05.01.1998", "5.0"},
        {"4.06.02.0436", "6.0"},
        {"4.07.00.0700", "7.0"},
        {"4.08.01.0810", "8.1"},
        {"4.08.01.0881", "8.1"},
        {"4.08.01.0901", "8.1a"},
        {"4.08.02.0134", "8.2"},
        {"4.08.00.0400", "8.0"},
        {"4.08.01.0810 ", "8.0"},
        {"4.09.00.0900", "9.0"},
        {"4.09.00.0901", "9.0a"},
        {"4.09.00.0902", "9.0b"},
        {"4.09.00.0904", "4.09.00.0904"},
        {"4.09.00.0902 ", "4.09.00.0902 "},
        {"", ""},
        {"x4.07", "7.0"},
    };
    for (const auto& c : cases) {
        facts.directXVersion = c.version;
        EXPECT_EQ(c.release, Var("DirectX")) << '"' << c.version << '"';
    }
    facts.hasDirectXKey = false;
    facts.directXVersion = "4.09.00.0904";
    EXPECT_EQ("", Var("DirectX"));
}

TEST_F(TokenTest, BrowserVersionTellsMissingFromUnreadable) {
    facts.ieState = SystemFacts::IeState::NotLoaded;
    EXPECT_EQ("", Var("IEVer"));
    facts.ieState = SystemFacts::IeState::NoVersion;
    EXPECT_EQ("Error", Var("IEVer"));
    facts.ieState = SystemFacts::IeState::Ok;
    facts.ieMajor = 6;
    facts.ieMinor = 0;
    EXPECT_EQ("6.0", Var("IEVer"));
}

TEST_F(TokenTest, DisplayFacts) {
    facts.screenWidth = 1024;
    facts.screenHeight = 768;
    EXPECT_EQ("1024x768", Var("Resolution"));
    EXPECT_EQ("", Var("BitPixel"));
    facts.hasBitsPerPixel = true;
    facts.bitsPerPixel = 32;
    EXPECT_EQ("32", Var("BitPixel"));
}

TEST_F(TokenTest, ClockFacts) {
    facts.now = {2004, 3, 5, 14, 3, 9};
    EXPECT_EQ("3/5/2004", Var("SysDate"));
    EXPECT_EQ("14:3:9", Var("SysTime"));
    facts.now = {2005, 4, 7, 9, 5, 7};
    EXPECT_EQ("4/7/2005 9:5:7", token.ExpandVariables("<SysDate> <SysTime>"));

    const struct {
        std::uint32_t ticks;
        const char* text;
    } ticks[] = {{0, "0"}, {2147483647u, "2147483647"}, {2147483648u, "-2147483648"}, {4294967295u, "-1"}};
    for (const auto& t : ticks) {
        facts.tickCount = t.ticks;
        EXPECT_EQ(t.text, Var("TickCount"));
    }
}
} // namespace

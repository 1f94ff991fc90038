#include <gtest/gtest.h>

#include <map>

#include "core/LiveUpdateRules.h"

using namespace LiveUpdate;

namespace {
CDevInfo Dev(const char* id) {
    return CDevInfo(id, "", "", "", "");
}

const char* kVga = "PCI\\VEN_8086&DEV_2562&SUBSYS_80891043&REV_01";
const char* kLan = "PCI\\VEN_10EC&DEV_8139&SUBSYS_80B31043&REV_10";
} // namespace

TEST(LiveFolder, AbsoluteTempPathOnly) {
    EXPECT_EQ("C:\\TEMP\\Live\\", LiveFolder("C:\\TEMP\\"));
    EXPECT_EQ("C:\\TEMP\\Live\\", LiveFolder("C:\\TEMP"));
    EXPECT_EQ("\\\\srv\\tmp\\Live\\", LiveFolder("\\\\srv\\tmp\\"));
    // An unknown temporary path must not turn the live folder into a relative "Live".
    for (const char* bad : {"", "TEMP\\", "\\TEMP\\", "C:", "C:TEMP", "1:\\x", "\\\\", "\\\\\\x"})
        EXPECT_EQ("", LiveFolder(bad)) << bad;
}

TEST(ModelFolder, FirstMappedDeviceInListOrder) {
    std::map<std::string, std::string> map = {{"VEN_10EC&DEV_8139&SUBSYS_80B31043", "\\P5B"},
                                              {"VEN_8086&DEV_2562&SUBSYS_80891043", "Brd1"}};
    auto lookup = [&](const std::string& key) {
        auto it = map.find(key);
        return it == map.end() ? std::string("NULL") : it->second;
    };
    EXPECT_EQ("brd1", ModelFolder({Dev(kVga), Dev(kLan)}, lookup));
    EXPECT_EQ("\\p5b", ModelFolder({Dev(kLan), Dev(kVga)}, lookup));
    EXPECT_EQ("null", ModelFolder({Dev("ACPI\\PNP0303")}, lookup));
    EXPECT_EQ("", ModelFolder({}, lookup));
}

TEST(PlanButtons, MostSpecificSectionWinsAndFileOrderPlaces) {
    CDevList devices = {Dev(kVga), Dev(kLan), Dev("ACPI\\PNP0303")};
    std::list<std::string> names = {"VEN_10EC&DEV_8139", "Other", std::string(kVga) + ".WinXP",
                                    "VEN_8086&DEV_2562"};
    auto hasType = [&](const std::string& s) {
        return std::find(names.begin(), names.end(), s) != names.end();
    };
    auto plans = PlanButtons(devices, "WinXP", names, hasType);
    ASSERT_EQ(2u, plans.size());
    // LAN's section comes first in the file, so its button is placed above, though created second.
    EXPECT_EQ("VEN_10EC&DEV_8139", plans[0].section);
    EXPECT_EQ(0, plans[0].order);
    EXPECT_EQ(1, plans[0].index);
    EXPECT_EQ(std::string(kVga) + ".WinXP", plans[1].section);
    EXPECT_EQ(2, plans[1].order);
    EXPECT_EQ(0, plans[1].index);
    EXPECT_EQ(&devices.front(), plans[1].device);
}

TEST(PlanButtons, CandidateOrderAndTies) {
    CDevList devices = {Dev(kVga), Dev(kVga), Dev(kLan)};
    std::list<std::string> names = {"VEN_8086&DEV_2562&SUBSYS_80891043",
                                    "VEN_8086&DEV_2562&SUBSYS_80891043.Win2000"};
    // Sections matched only without regard to case have no position and go after the others.
    auto hasType = [](const std::string& s) {
        return s == "VEN_8086&DEV_2562&SUBSYS_80891043" || s == "VEN_10EC&DEV_8139.Win2000";
    };
    auto plans = PlanButtons(devices, "Win2000", names, hasType);
    ASSERT_EQ(3u, plans.size());
    EXPECT_EQ(0, plans[0].index);
    EXPECT_EQ(1, plans[1].index);
    EXPECT_EQ(0, plans[1].order);
    EXPECT_EQ("VEN_10EC&DEV_8139.Win2000", plans[2].section);
    EXPECT_EQ(2, plans[2].order);
    EXPECT_EQ(6u, SectionCandidates(devices.front(), "Win2000").size());
    EXPECT_EQ(std::string(kVga) + ".Win2000", SectionCandidates(devices.front(), "Win2000")[0]);
}

TEST(Behavior, ActionWords) {
    EXPECT_EQ("FTP_FILE", BehaviorAction("Open"));
    EXPECT_EQ("FTP_FILE", BehaviorAction("LINK"));
    EXPECT_EQ("FTP_FOLDER", BehaviorAction("explore"));
    EXPECT_EQ("", BehaviorAction("Run"));
    EXPECT_EQ("", BehaviorAction(""));
}

TEST(FetchPaths, MarkerReplacedByLowerCasedRoot) {
    EXPECT_EQ("<Path>\\brd1\\drivers\\x.exe", WithModel("<Path>\\drivers\\x.exe", "\\brd1"));
    EXPECT_EQ("<Path>brd1\\drivers\\x.exe", WithModel("<Path>\\drivers\\x.exe", "brd1"));
    EXPECT_EQ("/pub/board1drivers\\vga\\setup.exe",
              FetchRemotePath("<path>\\Drivers\\VGA\\Setup.exe", "/Pub/Board1"));
    EXPECT_EQ("/r/brd1\\drivers\\x.exe",
              FetchRemotePath(WithModel("<Path>\\drivers\\x.exe", "\\brd1"), "/r/"));
    // Without "<path>\" nothing is replaced; a root holding the marker does not loop.
    EXPECT_EQ("<path>brd1\\x.exe", FetchRemotePath("<Path>brd1\\x.exe", "/r/"));
    EXPECT_EQ("<path>\\a", FetchRemotePath("<path>\\a", "<path>\\"));
}

TEST(FetchPaths, LocalNameStaysInsideTheDownloadFolder) {
    EXPECT_EQ("setup.exe", FetchLocalName("/pub/board1drivers\\vga\\setup.exe"));
    EXPECT_EQ("setup.exe", FetchLocalName("setup.exe"));
    for (const char* bad : {"drivers\\..", "drivers\\", "x\\a/../../evil.exe", "/pub/x.exe", "x\\c:evil.exe"})
        EXPECT_EQ("", FetchLocalName(bad)) << bad;
}

// The keys are read up to the first number that is missing; an empty value is present, and counts
// as a value that matches nothing.
TEST(SectionHashes, PlainKeyThenNumberedKeysUntilAGap) {
    std::map<std::string, std::string> keys = {{"SHA256", ""},
                                               {"SHA256.1", std::string(64, 'a') + " one.bin"},
                                               {"SHA256.2", std::string(64, 'b') + " two.bin"},
                                               {"SHA256.4", std::string(64, 'c') + " four.bin"}};
    auto read = [&](const std::string& key) {
        auto it = keys.find(key);
        return it == keys.end() ? std::string(LiveUpdate::kNoValue) : it->second;
    };
    EXPECT_EQ((std::vector<std::string>{"", "one.bin", "two.bin"}),
              LiveUpdate::SectionHashes(read).Unmatched());
    keys.clear();
    EXPECT_TRUE(LiveUpdate::SectionHashes(read).Empty());
}

#include <gtest/gtest.h>

#include "core/DevInfoCtrl.h"

namespace {
struct IdCase {
    const char* id;
    const char *ven, *dev, *subsys, *subsysId, *classCode;
    const char *venDev, *venDevSubsys, *venDevSubsysCc;
};

const IdCase kIdCases[] = {
    // Scanned PCI function as Windows names it.
    {"PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&CC_0600", "8086", "7190", "00000000", "", "0600",
     "VEN_8086&DEV_7190", "VEN_8086&DEV_7190&SUBSYS_00000000", "VEN_8086&DEV_7190&SUBSYS_00000000&CC_0600"},
    // SetupAPI's own form keeps the revision; the class code is cut to four characters.
    {"PCI\\VEN_1AF4&DEV_1041&SUBSYS_11001AF4&REV_01\\3&13C0B0C5&0&18", "1AF4", "1041", "11001AF4", "", "",
     "VEN_1AF4&DEV_1041", "VEN_1AF4&DEV_1041&SUBSYS_11001AF4", ""},
    {"PCI\\VEN_1AF4&DEV_1042&SUBSYS_00021AF4&CC_010000", "1AF4", "1042", "00021AF4", "", "0100",
     "VEN_1AF4&DEV_1042", "VEN_1AF4&DEV_1042&SUBSYS_00021AF4", "VEN_1AF4&DEV_1042&SUBSYS_00021AF4&CC_0100"},
    // Host bridge by its subsystem alone.
    {"SUBSYS_80861234", "", "", "", "SUBSYS_80861234", "", "", "", ""},
    // Not a PCI id at all.
    {"ACPI\\PNP0303\\4&1D401FB5&0", "", "", "", "", "", "", "", ""},
    {"ROOT\\LEGACY_VORN-IO\\0000", "", "", "", "", "", "", "", ""},
    {"", "", "", "", "", "", "", "", ""},
    // No SUBSYS_: the composed form still carries the marker.
    {"PCI\\VEN_10EC&DEV_8139", "10EC", "8139", "", "", "", "VEN_10EC&DEV_8139", "VEN_10EC&DEV_8139&SUBSYS_",
     ""},
    // SUBSYS_ without DEV_ gives no subsystem.
    {"PCI\\VEN_10EC&SUBSYS_12345678", "10EC", "", "", "", "", "VEN_10EC&DEV_", "VEN_10EC&DEV_&SUBSYS_", ""},
    // Four zeros mean no class code.
    {"PCI\\VEN_10EC&DEV_8139&SUBSYS_00000000&CC_0000", "10EC", "8139", "00000000", "", "",
     "VEN_10EC&DEV_8139", "VEN_10EC&DEV_8139&SUBSYS_00000000", ""},
    // Ids shorter than their markers promise take what is there.
    {"PCI\\VEN_10", "10", "", "", "", "", "VEN_10&DEV_", "VEN_10&DEV_&SUBSYS_", ""},
    {"PCI\\VEN_10EC&DEV_81&SUBSYS_123", "10EC", "81&S", "123", "", "", "VEN_10EC&DEV_81&S",
     "VEN_10EC&DEV_81&S&SUBSYS_123", ""},
    {"PCI\\VEN_1234&DEV_5678&CC_03", "1234", "5678", "", "", "03", "VEN_1234&DEV_5678",
     "VEN_1234&DEV_5678&SUBSYS_", "VEN_1234&DEV_5678&SUBSYS_&CC_03"},
    {"VEN_", "", "", "", "", "", "", "", ""},
    // Case matters: markers in lower case are not markers.
    {"pci\\ven_8086&dev_7190&subsys_00000000&cc_0600", "", "", "", "", "", "", "", ""},
    // The first marker wins; SUBSYS_ at the start makes the whole id the subsystem id.
    {"SUBSYS_1&VEN_AAAA&DEV_BBBB&SUBSYS_CCCCDDDD", "AAAA", "BBBB", "1&VEN_AA",
     "SUBSYS_1&VEN_AAAA&DEV_BBBB&SUBSYS_CCCCDDDD", "", "VEN_AAAA&DEV_BBBB",
     "VEN_AAAA&DEV_BBBB&SUBSYS_1&VEN_AA", ""},
};

TEST(DevInfo, DerivesEveryIdForm) {
    for (const IdCase& c : kIdCases) {
        SCOPED_TRACE(c.id);
        CDevInfo d(c.id, "v", "d", "p", "i");
        EXPECT_EQ(c.id, d.HardwareId);
        EXPECT_EQ(c.ven, d.Ven);
        EXPECT_EQ(c.dev, d.Dev);
        EXPECT_EQ(c.subsys, d.Subsys);
        EXPECT_EQ(c.subsysId, d.SubsysId);
        EXPECT_EQ(c.classCode, d.ClassCode);
        EXPECT_EQ(c.venDev, d.VenDev);
        EXPECT_EQ(c.venDevSubsys, d.VenDevSubsys);
        EXPECT_EQ(c.venDevSubsysCc, d.VenDevSubsysCc);
        EXPECT_EQ("v", d.DriverVersion);
        EXPECT_EQ("d", d.DriverDate);
        EXPECT_EQ("p", d.ProviderName);
        EXPECT_EQ("i", d.InfPath);
    }
}

TEST(DevInfo, LongIdKeepsFieldWidths) {
    std::string id = "PCI\\VEN_8086&DEV_7190&SUBSYS_11223344&CC_0604" + std::string(1000, 'X');
    CDevInfo d(id, "", "", "", "");
    EXPECT_EQ(id, d.HardwareId);
    EXPECT_EQ("VEN_8086&DEV_7190&SUBSYS_11223344&CC_0604", d.VenDevSubsysCc);
}

TEST(DevInfoCtrl, AddsAtHeadAndTail) {
    CDevList list;
    CDevInfoCtrl::AddDeviceTail("B", &list, "", "", "", "");
    CDevInfoCtrl::AddDeviceHead("A", &list, "1", "2", "3", "4");
    CDevInfoCtrl::AddDeviceTail("C", &list, "", "", "", "");
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ("A", list.front().HardwareId);
    EXPECT_EQ("4", list.front().InfPath);
    EXPECT_EQ("C", list.back().HardwareId);
}

// Exposes the shared tag expansion with fixed facts.
struct TagExpander : CDevInfoCtrl {
    int DetectDevices(std::string, CDevList*) override { return 0; }
    void GetSWInfo(SWInfo*) override {}
    bool WriteDumpFile(std::string) override { return false; }
    bool SetDumpFile(std::string) override { return true; }
    std::string ExpandVariables(std::string text) override {
        return ExpandTags(text, {"P5Q", "WINXP", "CHT"});
    }
};

TEST(DevInfoCtrl, ExpandsTagsAndEmptiesOnSyntaxErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"x<Lang>y", "xCHTy"},
        {"<MBModel>\\<DetectOS>\\<Lang>.ini", "P5Q\\WINXP\\CHT.ini"},
        {"a<Other>b", "ab"},
        {"a<>b", "ab"},
        {"<lang>", ""}, // names are case-sensitive: an unknown tag vanishes
        {"", ""},
        {"plain", "plain"},
        {"a>b", ""},
        {"a<b", ""},
        {"a<<Lang>>b", ""},
        {"<Lang><Lang", ""},
        {"<Lang>>", ""},
    };
    TagExpander e;
    for (const auto& c : cases)
        EXPECT_EQ(c.second, e.ExpandVariables(c.first)) << c.first;
}
} // namespace

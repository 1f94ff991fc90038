#include <gtest/gtest.h>

#include <vector>

#include "FakeDetectPlatform.h"
#include "TempIni.h"
#include "core/DevDetect.h"
#include "core/DumpFile.h"

namespace {
// The scan of the fixture machine as the live list holds it: last scanned first, each host bridge's
// "SUBSYS_" record right after its own.
const std::vector<std::string> kScannedIds = {
    "PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0403",
    "PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300",
    "PCI\\VEN_1AF4&DEV_1041&SUBSYS_10411AF4&CC_0200",
    "PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&CC_0200",
    "PCI\\VEN_8086&DEV_7113&SUBSYS_197615AD&CC_0680",
    "PCI\\VEN_8086&DEV_7112&SUBSYS_197615AD&CC_0C03",
    "PCI\\VEN_8086&DEV_7111&SUBSYS_197615AD&CC_0101",
    "PCI\\VEN_8086&DEV_7110&SUBSYS_197615AD&CC_0601",
    "PCI\\VEN_1AF4&DEV_1044&SUBSYS_10441AF4&CC_FFFF",
    "PCI\\VEN_1AF4&DEV_1053&SUBSYS_10531AF4&CC_FFFF",
    "PCI\\VEN_1AF4&DEV_1041&SUBSYS_10411AF4&CC_0200",
    "PCI\\VEN_1AF4&DEV_1042&SUBSYS_10421AF4&CC_0180",
    "PCI\\VEN_1AF4&DEV_1045&SUBSYS_10451AF4&CC_FFFF",
    "PCI\\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600",
    "SUBSYS_00000000",
};

std::vector<std::string> Ids(const CDevList& list) {
    std::vector<std::string> ids;
    for (const CDevInfo& d : list)
        ids.push_back(d.HardwareId);
    return ids;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct DevDetectTest : testing::Test {
    FakePlatform machine;
    CDevList list;

    void SetUpNt() {
        machine.os.IsNT = true;
        machine.LoadImage();
        machine.setupDevices = {
            {"ACPI\\PNP0303\\4&1D401FB5&0", "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000"},
            {"PCI\\VEN_1AF4&DEV_1041&SUBSYS_11001AF4&REV_01\\3&13C0B0C5&0&18",
             "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001"},
            {"ROOT\\LEGACY_VORN-IO\\0000", ""},
            {"", "{4D36E97D-E325-11CE-BFC1-08002BE10318}\\0009"}, // id unreadable, driver key without values
            {"STORAGE\\VOLUME\\1&30A96598&0&SIGNATURE", "{71A27CDD-812A-11D0-BEC7-08002BE2092F}\\0001"},
        };
        machine.AddDriver(kClassKey, "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000", "5.1.2600.0");
        machine.AddDriver(kClassKey, "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001", "5.1.2535.0");
        machine.keys[FakePlatform::At(RegRoot::LocalMachine, kClassKey)] = {
            {"DriverVersion", "class key itself"}};
        machine.AddDriver(kClassKey, "{71A27CDD-812A-11D0-BEC7-08002BE2092F}\\0001", "5.1.2600.2180");
    }
};

TEST_F(DevDetectTest, Xp32TakesPciFunctionsFromTheScanOnly) {
    SetUpNt();
    machine.os.IsWinXP = true;
    CDevDetect detect(machine);
    EXPECT_EQ(0, detect.DetectDevices("", &list));
    EXPECT_EQ("", machine.className);
    EXPECT_EQ(1, machine.placed);
    EXPECT_EQ(Join(kScannedIds, {"STORAGE\\VOLUME\\1&30A96598&0&SIGNATURE", "", "ROOT\\LEGACY_VORN-IO\\0000",
                                 "ACPI\\PNP0303\\4&1D401FB5&0"}),
              Ids(list));

    // Scanned functions never carry driver values; setup devices carry their class key's.
    for (const CDevInfo& d : list) {
        if (d.HardwareId.rfind("PCI\\", 0) == 0 || d.HardwareId.rfind("SUBSYS_", 0) == 0) {
            EXPECT_EQ("", d.DriverVersion + d.DriverDate + d.ProviderName + d.InfPath) << d.HardwareId;
        }
    }
    auto find = [&](const std::string& id) {
        for (const CDevInfo& d : list)
            if (d.HardwareId == id) return d;
        return CDevInfo("missing", "", "", "", "");
    };
    CDevInfo acpi = find("ACPI\\PNP0303\\4&1D401FB5&0");
    EXPECT_EQ("5.1.2600.0", acpi.DriverVersion);
    EXPECT_EQ("7-1-2001", acpi.DriverDate);
    EXPECT_EQ("Microsoft", acpi.ProviderName);
    EXPECT_EQ("x.inf", acpi.InfPath);
    EXPECT_EQ("", find("ROOT\\LEGACY_VORN-IO\\0000").DriverVersion);
    EXPECT_EQ("", find("").DriverVersion);

    CDevInfo bridge = find("SUBSYS_00000000");
    EXPECT_EQ("SUBSYS_00000000", bridge.SubsysId);
    EXPECT_EQ("", bridge.Ven + bridge.Dev + bridge.Subsys + bridge.VenDev + bridge.VenDevSubsys +
                      bridge.VenDevSubsysCc);
    EXPECT_EQ("VEN_8086&DEV_7112&SUBSYS_197615AD&CC_0C03",
              find("PCI\\VEN_8086&DEV_7112&SUBSYS_197615AD&CC_0C03").VenDevSubsysCc);
}

TEST_F(DevDetectTest, Win2000And2003ScanToo) {
    for (bool OsFlags::*flag : {&OsFlags::IsWin2000, &OsFlags::IsWin2003}) {
        machine.os = OsFlags{};
        SetUpNt();
        machine.os.*flag = true;
        list.clear();
        CDevDetect(machine).DetectDevices("", &list);
        EXPECT_EQ(kScannedIds.size() + 4, list.size());
        EXPECT_EQ(kScannedIds.front(), list.front().HardwareId);
    }
}

TEST_F(DevDetectTest, Wow64TakesEveryDeviceFromSetupApi) {
    for (bool OsFlags::*flag : {&OsFlags::IsWinXPA, &OsFlags::IsWin2003A}) {
        machine.os = OsFlags{};
        SetUpNt();
        machine.os.*flag = true;
        machine.portOpened = 0;
        list.clear();
        CDevDetect(machine).DetectDevices("", &list);
        EXPECT_EQ(0, machine.portOpened);
        ASSERT_EQ(5u, list.size());
        EXPECT_EQ("STORAGE\\VOLUME\\1&30A96598&0&SIGNATURE", list.front().HardwareId);
        auto pci = std::next(list.begin(), 3);
        EXPECT_EQ("PCI\\VEN_1AF4&DEV_1041&SUBSYS_11001AF4&REV_01\\3&13C0B0C5&0&18", pci->HardwareId);
        EXPECT_EQ("5.1.2535.0", pci->DriverVersion);
        for (const CDevInfo& d : list)
            EXPECT_NE(0u, d.HardwareId.rfind("SUBSYS_", 0));
    }
}

// Vista and later: every device from SetupAPI, no driver placed, no port touched, and the dump says
// why its PCI functions were not scanned; a later dump of another machine drops that note.
TEST_F(DevDetectTest, VistaAndLaterTakeEveryDeviceFromSetupApiAndTheDumpSaysWhy) {
    TempIni dump("");
    for (bool wow64 : {false, true}) {
        machine.os = OsFlags{};
        machine.placed = machine.portOpened = 0;
        SetUpNt();
        machine.os.IsNT6 = true;
        machine.os.IsWow64 = wow64;
        ASSERT_TRUE(CDevDetect(machine).WriteDumpFile(dump.Path()));
        EXPECT_EQ(0, machine.portOpened);
        EXPECT_EQ(0, machine.placed);
        EXPECT_EQ(5u, CDumpFile(dump.Path()).ReadIds().size());
        EXPECT_NE(std::string::npos, dump.Text().find(wow64 ? "PciScan=skipped: 64-bit Windows"
                                                            : "PciScan=skipped: Windows Vista or later"));
    }
    machine.os = OsFlags{};
    SetUpNt();
    machine.os.IsWinXP = true;
    ASSERT_TRUE(CDevDetect(machine).WriteDumpFile(dump.Path()));
    EXPECT_EQ(std::string::npos, dump.Text().find("PciScan"));
}

TEST_F(DevDetectTest, FailuresAndOtherSystemsGiveNoDevices) {
    SetUpNt();
    machine.os.IsWinXP = true;
    machine.setupWorks = false; // device tree or device set unavailable: the scan is skipped too
    CDevDetect(machine).DetectDevices("", &list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0, machine.portOpened);

    FakePlatform nt4; // IsNT alone
    nt4.os.IsNT = true;
    nt4.LoadImage();
    CDevDetect(nt4).DetectDevices("", &list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0, nt4.portOpened);

    FakePlatform unknown; // no flag at all
    CDevDetect(unknown).DetectDevices("", &list);
    EXPECT_TRUE(list.empty());
}

TEST_F(DevDetectTest, NonAdministratorIsRefusedBeforeAnythingRuns) {
    SetUpNt();
    machine.os.IsWinXP = true;
    machine.admin = false;
    EXPECT_EQ(0, CDevDetect(machine).DetectDevices("", &list));
    EXPECT_EQ(0, machine.placed);
    EXPECT_EQ("unasked", machine.className);
    EXPECT_TRUE(list.empty());

    FakePlatform win98; // the 9x family has no administrators
    win98.os.Is9x = win98.os.IsWin98 = true;
    win98.admin = false;
    CDevDetect(win98).DetectDevices("", &list);
    EXPECT_EQ(1, win98.placed);
}

TEST_F(DevDetectTest, WithoutTheLibraryNoScanRuns) {
    SetUpNt();
    machine.os.IsWinXP = true;
    machine.library = false;
    CDevDetect(machine).DetectDevices("", &list);
    EXPECT_EQ(4u, list.size());
}

TEST_F(DevDetectTest, Win9xReadsTheDynamicRegistryThenScans) {
    machine.os.Is9x = machine.os.IsWin98 = true;
    machine.LoadImage();
    auto dyn = [&](const std::string& sub, const char* id) {
        auto& key = machine.keys[FakePlatform::At(RegRoot::DynData, std::string(k9xEnum) + "\\" + sub)];
        if (id) key["HardWareKey"] = id;
    };
    machine.keys[FakePlatform::At(RegRoot::DynData, k9xEnum)] = {};
    machine.subkeys[FakePlatform::At(RegRoot::DynData, k9xEnum)] = {"C29A1A20", "C29A1B40", "C29A1C60",
                                                                    "C29A1D80", "Gone",     "C29A1EA0"};
    dyn("C29A1A20", "ROOT\\*PNP0C01\\0000");
    dyn("C29A1B40", "PCI\\VEN_8086&DEV_7110&SUBSYS_197615AD&REV_08\\BUS_00&DEV_07&FUNC_00");
    dyn("C29A1C60", nullptr); // no HardWareKey
    dyn("C29A1D80", "BIOS\\*PNP0303\\0B");
    dyn("C29A1EA0", "");
    machine.keys[FakePlatform::At(RegRoot::LocalMachine, "Enum\\ROOT\\*PNP0C01\\0000")] = {
        {"Driver", "System\\0001"}};
    machine.keys[FakePlatform::At(RegRoot::LocalMachine, "Enum\\BIOS\\*PNP0303\\0B")] = {}; // no Driver
    machine.AddDriver(k9xClassKey, "System\\0001", "4.10.1998");

    CDevDetect(machine).DetectDevices("", &list);
    EXPECT_EQ(Join(kScannedIds, {"ROOT\\*PNP0C01\\0000", "BIOS\\*PNP0303\\0B"}), Ids(list));
    EXPECT_EQ("4.10.1998", std::next(list.begin(), kScannedIds.size())->DriverVersion);
    EXPECT_EQ("", list.back().DriverVersion);
    EXPECT_EQ("unasked", machine.className); // no SetupAPI on 9x

    // Without the dynamic registry: nothing, and no scan either.
    FakePlatform bare;
    bare.os.Is9x = bare.os.IsWinME = true;
    bare.LoadImage();
    list.clear();
    CDevDetect(bare).DetectDevices("", &list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0, bare.portOpened);
}

TEST_F(DevDetectTest, DestructionRemovesTheDriverService) {
    { CDevDetect unused(machine); }
    EXPECT_EQ(1, machine.removed);
    EXPECT_TRUE(CDevDetect(machine).SetDumpFile("x"));
}
} // namespace

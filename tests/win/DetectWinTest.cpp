#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <vector>

#include "core/DevDetect.h"
#include "core/PciScanner.h"
#include "win32/Registry.h"
#include "win32/Win32DetectPlatform.h"

namespace {
const char kService[] = "SYSTEM\\ControlSet001\\Services\\VORN-IO";

std::string ProgramDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\'));
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A CD folder with the stand-in library, its driver and the fixture machine's image, and a
// system folder of its own, so nothing of the prefix's system folder is touched.
struct DetectWinTest : testing::Test {
    std::string base, cd, system;

    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        static int run = 0;
        base = std::string(tmp) + "detect_win_test_" + std::to_string(GetTickCount()) + "_" +
               std::to_string(++run);
        cd = base + "\\cd";
        system = base + "\\system32";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(cd.c_str(), nullptr);
        CreateDirectoryA(system.c_str(), nullptr);
        CreateDirectoryA((system + "\\drivers").c_str(), nullptr);
        std::ofstream(cd + "\\VORN-IO.SYS") << "stand-in driver";
        ASSERT_TRUE(CopyFileA((std::string(FIXTURES_DIR) + "/pci/machine.pci").c_str(),
                              (cd + "\\VORN-IO.pci").c_str(), FALSE));
    }
    void TearDown() override {
        // The loaded library stays; the rest goes.
        std::string files[] = {Driver(), cd + "\\VORN-IO.SYS", cd + "\\VORN-IO.pci"};
        SetFileAttributesA(Driver().c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const std::string& f : files)
            DeleteFileA(f.c_str());
    }
    void AddLibrary() {
        ASSERT_TRUE(
            CopyFileA((ProgramDir() + "\\VORN-IO.dll").c_str(), (cd + "\\VORN-IO.dll").c_str(), FALSE));
    }
    std::string Driver() const { return system + "\\drivers\\VORN-IO.SYS"; }
};

TEST_F(DetectWinTest, WithoutTheLibraryNothingIsPlacedOrScanned) {
    CWin32DetectPlatform platform(cd, system);
    platform.PlaceDriverFile();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Driver().c_str()));
    EXPECT_EQ(nullptr, platform.OpenPortIo());
}

TEST_F(DetectWinTest, TheLibraryScansTheImageAndTheDriverIsPlacedOnce) {
    AddLibrary();
    CWin32DetectPlatform platform(cd, system);
    platform.PlaceDriverFile();
    EXPECT_EQ("stand-in driver", Slurp(Driver()));
    SetFileAttributesA(Driver().c_str(), FILE_ATTRIBUTE_READONLY);
    std::ofstream(cd + "\\VORN-IO.SYS") << "newer driver";
    platform.PlaceDriverFile();
    EXPECT_EQ("stand-in driver", Slurp(Driver())); // an existing file stays
    EXPECT_EQ(0u, GetFileAttributesA(Driver().c_str()) & FILE_ATTRIBUTE_READONLY);

    std::vector<PciDeviceRecord> list;
    EXPECT_EQ(14, CPciScanner(platform.OpenPortIo()).Scan(list));
    ASSERT_EQ(14u, list.size());
    EXPECT_EQ(0x8086, list[0].vendorId);
    EXPECT_EQ(9, list.back().bus);
    // A second load takes the same functions again.
    list.clear();
    EXPECT_EQ(14, CPciScanner(platform.OpenPortIo()).Scan(list));
}

TEST_F(DetectWinTest, SetupApiListsWinesDevicesWithIds) {
    CWin32DetectPlatform platform(cd, system);
    std::vector<SetupDevice> devices;
    ASSERT_TRUE(platform.ListSetupDevices("", devices));
    bool bus = false;
    for (const SetupDevice& d : devices)
        bus = bus || d.id == "ROOT\\WINE\\WINEBUS";
    EXPECT_TRUE(bus);
    std::vector<SetupDevice> none;
    EXPECT_TRUE(platform.ListSetupDevices("NoSuchClass", none));
}

TEST_F(DetectWinTest, RegistryReadsAndSubkeys) {
    CRegistry reg;
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.WriteString("Software\\AutorunDetectTest\\Enum\\A", "HardWareKey", "ACPI\\PNP0303"));
    ASSERT_TRUE(reg.WriteString("Software\\AutorunDetectTest\\Enum\\B", "HardWareKey", "ROOT\\X"));
    CWin32DetectPlatform platform(cd, system);
    std::string name, value;
    EXPECT_TRUE(platform.KeyExists(RegRoot::LocalMachine, "Software\\AutorunDetectTest\\Enum"));
    EXPECT_TRUE(platform.SubkeyName(RegRoot::LocalMachine, "Software\\AutorunDetectTest\\Enum", 1, name));
    EXPECT_EQ("B", name);
    EXPECT_FALSE(platform.SubkeyName(RegRoot::LocalMachine, "Software\\AutorunDetectTest\\Enum", 2, name));
    EXPECT_TRUE(platform.ReadString(RegRoot::LocalMachine, "Software\\AutorunDetectTest\\Enum\\A",
                                    "HardWareKey", value));
    EXPECT_EQ("ACPI\\PNP0303", value);
    EXPECT_FALSE(
        platform.ReadString(RegRoot::LocalMachine, "Software\\AutorunDetectTest\\Enum\\A", "Driver", value));
    reg.DeleteKey("Software\\AutorunDetectTest\\Enum", "A");
    reg.DeleteKey("Software\\AutorunDetectTest\\Enum", "B");
    reg.DeleteKey("Software\\AutorunDetectTest", "Enum");
    reg.DeleteKey("Software", "AutorunDetectTest");
}

TEST_F(DetectWinTest, RemovesTheDriverServiceEntries) {
    CRegistry reg;
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    for (const char* v : {"DisplayName", "ErrorControl", "ImagePath", "Start", "TYPE"})
        ASSERT_TRUE(reg.WriteString(kService, v, "x"));
    ASSERT_TRUE(reg.WriteString(std::string(kService) + "\\Enum", "Count", "0"));
    ASSERT_TRUE(reg.WriteString(std::string(kService) + "\\Security", "Security", "1"));
    CWin32DetectPlatform(cd, system).RemoveDriverService();
    EXPECT_FALSE(reg.KeyExists(kService));
    CWin32DetectPlatform(cd, system).RemoveDriverService(); // nothing left to remove
}

// The whole live path on Windows XP: scan first, then SetupAPI's devices without its PCI ids.
TEST_F(DetectWinTest, LiveDetectionOnXp) {
    AddLibrary();
    CWin32DetectPlatform platform(cd, system);
    ASSERT_TRUE(platform.Os().IsWinXP) << "run under a Windows XP prefix";
    CDevList list;
    CDevDetect(platform).DetectDevices("", &list);
    ASSERT_GT(list.size(), 15u);
    EXPECT_EQ("PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0403", list.front().HardwareId);
    auto bridge = std::next(list.begin(), 14);
    EXPECT_EQ("SUBSYS_00000000", bridge->HardwareId);
    for (auto it = std::next(bridge); it != list.end(); ++it)
        EXPECT_EQ(std::string::npos, it->HardwareId.find("PCI\\")) << it->HardwareId;
}
} // namespace

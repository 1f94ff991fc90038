// Which background bitmap a menu file names, by its Background key and the detected devices.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "TempIni.h"
#include "core/BackgroundChoice.h"
#include "core/IniFile.h"

namespace {
const char kAutoIni[] = "[Root]\nBackground=autodetectBG\n"
                        "[AutoDetectBg]\n"
                        "VEN_10EC&DEV_8139&SUBSYS_0845FA01=lan.bmp\n"
                        "VEN_1002&DEV_5960=vga.bmp\n"
                        "SUBSYS_0846FA01=board.bmp\n"
                        "Default=default.bmp\n";

std::string Choose(const std::string& ini, const CDevList& devices) {
    TempIni file(ini);
    return ChooseBackground(CIniFile(file.Path()), devices);
}
} // namespace

TEST(BackgroundChoice, PlainNameIsTakenAsWritten) {
    EXPECT_EQ(Choose("[Root]\nBackground=skin.bmp\n", Devices({"PCI\\VEN_1002&DEV_5960"})), "skin.bmp");
    EXPECT_EQ(Choose("[Root]\n", {}), "");
}

TEST(BackgroundChoice, AutoDetectTakesTheFirstDeviceWithAnEntry) {
    struct {
        const char* what;
        CDevList devices;
        const char* expected;
    } cases[] = {
        {"full id", Devices({"ACPI\\PNP0303", "PCI\\VEN_10EC&DEV_8139&SUBSYS_0845FA01&CC_0200"}), "lan.bmp"},
        {"a later device with an entry",
         Devices({"PCI\\VEN_1002&DEV_5960&SUBSYS_00000000", "PCI\\VEN_10EC&DEV_8139&SUBSYS_0845FA01"}),
         "lan.bmp"},
        {"nothing known", Devices({"PCI\\VEN_8086&DEV_24C5&SUBSYS_0845FA01"}), "default.bmp"},
        {"no devices (resume)", {}, "default.bmp"},
        {"bare subsystem id", Devices({"SUBSYS_0846FA01"}), "board.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Choose(kAutoIni, c.devices), c.expected) << c.what;
}

// A PCI id always has a VenDevSubsys form (with an empty subsystem when it names none), so that is
// the only key tried for it, even when its VenDev form has an entry.
TEST(BackgroundChoice, VenDevSubsysHidesTheShorterKey) {
    EXPECT_EQ(Choose(kAutoIni, Devices({"PCI\\VEN_1002&DEV_5960&SUBSYS_12345678"})), "default.bmp");
    EXPECT_EQ(Choose(kAutoIni, Devices({"PCI\\VEN_1002&DEV_5960"})), "default.bmp");
}

TEST(BackgroundChoice, AutoDetectWithoutDefaultIsEmpty) {
    EXPECT_EQ(Choose("[Root]\nBackground=AutoDetectBg\n", Devices({"PCI\\VEN_1002&DEV_5960"})), "");
}

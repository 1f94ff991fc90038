#include <gtest/gtest.h>

#include <fstream>

#include "FakeDetectPlatform.h"
#include "TempIni.h"
#include "core/DevDetect.h"
#include "core/DevSimulation.h"
#include "core/DumpFile.h"

namespace {
CDevList Devices(const std::vector<std::string>& ids) {
    CDevList list;
    for (const std::string& id : ids)
        CDevInfoCtrl::AddDeviceTail(id, &list, "5.1", "1-1-2004", "Vendor", "oem1.inf");
    return list;
}

std::vector<std::string> Ids(const CDevList& list) {
    std::vector<std::string> ids;
    for (const CDevInfo& d : list)
        ids.push_back(d.HardwareId);
    return ids;
}

const SWInfo kInfo{"P5Q-E", "WINXP", "CHT"};

TEST(DumpFile, WritesIdsInListOrderAndTheFacts) {
    TempIni file("");
    std::vector<std::string> ids = {"PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300", "SUBSYS_00000000",
                                    "PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300", ""};
    CDumpFile dump(file.Path());
    ASSERT_TRUE(dump.Write(Devices(ids), kInfo));
    EXPECT_EQ("[HWInfo]\r\nHWID0=PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300\r\nHWID1=SUBSYS_00000000\r\n"
              "HWID2=PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300\r\nHWID3=\r\n"
              "[SWInfo]\r\nModel=P5Q-E\r\nOS=WINXP\r\nLang=CHT\r\n",
              file.Text());
    EXPECT_EQ(ids, dump.ReadIds());
    SWInfo back = dump.ReadSWInfo();
    EXPECT_EQ("P5Q-E", back.MBModel);
    EXPECT_EQ("WINXP", back.DetectOS);
    EXPECT_EQ("CHT", back.Lang);
}

TEST(DumpFile, OverwritingALongerDumpLeavesNoOldIds) {
    TempIni file(
        "[Notes]\r\nWho=bench 3\r\n[hwinfo]\r\nHWID0=A\r\nHWID1=B\r\nExtra=D\r\n[SWInfo]\r\nModel=X\r\n");
    CDumpFile dump(file.Path());
    ASSERT_TRUE(dump.Write(Devices({"X"}), kInfo));
    EXPECT_EQ(std::vector<std::string>{"X"}, dump.ReadIds());
    EXPECT_EQ(0u, file.Text().find("[Notes]\r\nWho=bench 3\r\n"));

    // No devices at all: the section goes away, the facts are still written.
    ASSERT_TRUE(dump.Write({}, kInfo));
    EXPECT_TRUE(dump.ReadIds().empty());
    EXPECT_EQ("CHT", dump.ReadSWInfo().Lang);
}

TEST(DumpFile, AFileThatCannotBeWrittenIsReported) {
    TempIni file("");
    CDumpFile dump(file.Path() + ".d/no/such/folder/hw.ini");
    EXPECT_FALSE(dump.Write(Devices({"A", "B"}), kInfo));
    EXPECT_FALSE(dump.Write({}, kInfo));
}

TEST(DumpFile, ReplaysEveryKeyOfALongSection) {
    TempIni file("");
    std::vector<std::string> ids;
    for (int i = 0; i < 300; ++i) // about three times what 5096 bytes hold
        ids.push_back("PCI\\VEN_8086&DEV_" + std::to_string(1000 + i) + "&SUBSYS_00000000&CC_0600");
    CDumpFile dump(file.Path());
    ASSERT_TRUE(dump.Write(Devices(ids), kInfo));
    EXPECT_EQ(ids, dump.ReadIds());
}

TEST(DumpFile, OddSectionsGiveDefinedResults) {
    // Any key name counts, in file order; values are taken as they stand, markup included.
    std::string longId(1000, 'A');
    TempIni file("[HWInfo]\r\nZeta=z\r\nHWID0=<MBModel>\r\nx=\r\nL=" + longId + "\r\nHWID0=second\r\n");
    CDumpFile dump(file.Path());
    // A repeated key reads as its first value, as the profile functions answer.
    EXPECT_EQ((std::vector<std::string>{"z", "<MBModel>", "", longId, "<MBModel>"}), dump.ReadIds());

    // A file without sections, or none at all.
    TempIni bare("HWID0=x\r\n");
    EXPECT_TRUE(CDumpFile(bare.Path()).ReadIds().empty());
    SWInfo none = CDumpFile(bare.Path()).ReadSWInfo();
    EXPECT_EQ("", none.MBModel + none.DetectOS + none.Lang);
    EXPECT_TRUE(CDumpFile(bare.Path() + ".missing").ReadIds().empty());
}

TEST(DevSimulation, ReplaysInReverseWithTheDumpsFacts) {
    TempIni file(
        "[SWInfo]\r\nModel=P5Q-E\r\nOS=WINXP\r\nLang=ENU\r\n"
        "[HWInfo]\r\nHWID0=PCI\\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600\r\nHWID1=SUBSYS_00000000\r\n"
        "HWID2=ACPI\\PNP0303\\4&1D401FB5&0\r\n");
    CDevSimulation sim;
    ASSERT_TRUE(sim.SetDumpFile(file.Path()));
    CDevList list;
    list.emplace_back("kept", "", "", "", "");
    EXPECT_EQ(3, sim.DetectDevices("Display", &list));
    EXPECT_EQ((std::vector<std::string>{"ACPI\\PNP0303\\4&1D401FB5&0", "SUBSYS_00000000",
                                        "PCI\\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600", "kept"}),
              Ids(list));
    for (const CDevInfo& d : list)
        EXPECT_EQ("", d.DriverVersion + d.DriverDate + d.ProviderName + d.InfPath);

    EXPECT_EQ("Drivers\\P5Q-E\\WINXP\\ENU", sim.ExpandVariables("Drivers\\<MBModel>\\<DetectOS>\\<Lang>"));
    EXPECT_FALSE(sim.WriteDumpFile(file.Path()));

    // GetSWInfo reads the file anew; the expansion keeps the facts read when the file was bound.
    std::ofstream(file.Path(), std::ios::binary) << "[SWInfo]\r\nLang=CHT\r\n";
    SWInfo now;
    sim.GetSWInfo(&now);
    EXPECT_EQ("CHT", now.Lang);
    EXPECT_EQ("", now.MBModel);
    EXPECT_EQ("ENU", sim.ExpandVariables("<Lang>"));
}

TEST(DevSimulation, AFileWithoutFactsEmptiesEveryTag) {
    TempIni file("[HWInfo]\r\nHWID0=A\r\n");
    CDevSimulation sim;
    sim.SetDumpFile(file.Path());
    EXPECT_EQ("x\\\\.ini", sim.ExpandVariables("x\\<MBModel>\\<DetectOS><Lang>.ini"));
    CDevSimulation unbound;
    CDevList list;
    EXPECT_EQ(0, unbound.DetectDevices("", &list));
}

TEST(DevSimulation, ReplayDerivesWhatTheLiveDetectionDerived) {
    FakePlatform xp;
    xp.os.IsNT = xp.os.IsWinXP = true;
    xp.LoadImage();
    xp.setupDevices = {{"ACPI\\PNP0303\\4&1D401FB5&0", "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000"}};
    xp.AddDriver(kClassKey, "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000", "5.1.2600.0");
    CDevList live;
    CDevDetect(xp).DetectDevices("", &live);
    TempIni file("");
    ASSERT_TRUE(CDumpFile(file.Path()).Write(live, kInfo));

    CDevSimulation sim;
    sim.SetDumpFile(file.Path());
    CDevList replayed;
    ASSERT_EQ(static_cast<int>(live.size()), sim.DetectDevices("", &replayed));
    replayed.reverse();
    auto l = live.begin();
    for (const CDevInfo& r : replayed) {
        SCOPED_TRACE(r.HardwareId);
        EXPECT_EQ(l->HardwareId, r.HardwareId);
        EXPECT_EQ(l->Ven, r.Ven);
        EXPECT_EQ(l->Dev, r.Dev);
        EXPECT_EQ(l->Subsys, r.Subsys);
        EXPECT_EQ(l->VenDev, r.VenDev);
        EXPECT_EQ(l->VenDevSubsys, r.VenDevSubsys);
        EXPECT_EQ(l->VenDevSubsysCc, r.VenDevSubsysCc);
        EXPECT_EQ(l->SubsysId, r.SubsysId);
        EXPECT_EQ(l->ClassCode, r.ClassCode);
        EXPECT_EQ("", r.DriverVersion);
        ++l;
    }
}
} // namespace

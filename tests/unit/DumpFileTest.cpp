#include <gtest/gtest.h>

#include "FakeDetectPlatform.h"
#include "FakeProfileStore.h"
#include "core/DevDetect.h"
#include "core/DevSimulation.h"
#include "core/DumpFile.h"

namespace {
const char kPath[] = "C:\\hw.ini";

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

struct DumpFileTest : testing::Test {
    FakeProfileStore store;
    CDumpFile dump{kPath, store};
    const SWInfo info{"P5Q-E", "WINXP", "CHT"};
};

TEST_F(DumpFileTest, WritesIdsInListOrderAndTheFacts) {
    std::vector<std::string> ids = {"PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300", "SUBSYS_00000000",
                                    "PCI\\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300", ""};
    ASSERT_TRUE(dump.Write(Devices(ids), info));
    const auto& file = store.files[kPath];
    ASSERT_EQ(2u, file.size());
    EXPECT_EQ("HWInfo", file[0].first);
    FakeProfileStore::Lines expected = {
        {"HWID0", ids[0]}, {"HWID1", ids[1]}, {"HWID2", ids[2]}, {"HWID3", ""}};
    EXPECT_EQ(expected, file[0].second);
    FakeProfileStore::Lines facts = {{"Model", "P5Q-E"}, {"OS", "WINXP"}, {"Lang", "CHT"}};
    EXPECT_EQ(facts, file[1].second);
    EXPECT_EQ(ids, dump.ReadIds());
    SWInfo back = dump.ReadSWInfo();
    EXPECT_EQ("P5Q-E", back.MBModel);
    EXPECT_EQ("WINXP", back.DetectOS);
    EXPECT_EQ("CHT", back.Lang);
}

TEST_F(DumpFileTest, OverwritingALongerDumpLeavesNoOldIds) {
    store.files[kPath] = {{"Notes", {{"Who", "bench 3"}}},
                          {"hwinfo", {{"HWID0", "A"}, {"HWID1", "B"}, {"HWID2", "C"}, {"Extra", "D"}}}};
    ASSERT_TRUE(dump.Write(Devices({"X"}), info));
    EXPECT_EQ(std::vector<std::string>{"X"}, dump.ReadIds());
    EXPECT_EQ("Notes", store.files[kPath][0].first);
    EXPECT_EQ("bench 3", store.files[kPath][0].second[0].second);

    // No devices at all: the section goes away, the facts are still written.
    ASSERT_TRUE(dump.Write({}, info));
    EXPECT_TRUE(dump.ReadIds().empty());
    EXPECT_EQ("CHT", dump.ReadSWInfo().Lang);
}

TEST_F(DumpFileTest, AFileThatCannotBeWrittenIsReported) {
    store.readOnly.insert(kPath);
    EXPECT_FALSE(dump.Write(Devices({"A", "B"}), info));
    EXPECT_FALSE(dump.Write({}, info));
}

TEST_F(DumpFileTest, ReplaysEveryKeyOfALongSection) {
    std::vector<std::string> ids;
    for (int i = 0; i < 700; ++i)
        ids.push_back("PCI\\VEN_8086&DEV_" + std::to_string(1000 + i) + "&SUBSYS_00000000&CC_0600");
    ASSERT_TRUE(dump.Write(Devices(ids), info));
    EXPECT_EQ(ids, dump.ReadIds());
}

TEST_F(DumpFileTest, OddSectionsGiveDefinedResults) {
    // Any key name counts, in file order; values are taken as they stand, markup included.
    std::string longId(1000, 'A');
    store.files[kPath] = {
        {"HWInfo", {{"Zeta", "z"}, {"HWID0", "<MBModel>"}, {"x", ""}, {"", "nameless"}, {"L", longId}}}};
    EXPECT_EQ((std::vector<std::string>{"z", "<MBModel>", "", "nameless", longId}), dump.ReadIds());

    // A file without sections, or none at all.
    store.files[kPath] = {};
    EXPECT_TRUE(dump.ReadIds().empty());
    SWInfo none = dump.ReadSWInfo();
    EXPECT_EQ("", none.MBModel + none.DetectOS + none.Lang);
    EXPECT_TRUE(CDumpFile("C:\\missing.ini", store).ReadIds().empty());
}

TEST_F(DumpFileTest, SimulationReplaysInReverseWithTheDumpsFacts) {
    store.files[kPath] = {{"SWInfo", {{"Model", "P5Q-E"}, {"OS", "WINXP"}, {"Lang", "ENU"}}},
                          {"HWInfo",
                           {{"HWID0", "PCI\\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600"},
                            {"HWID1", "SUBSYS_00000000"},
                            {"HWID2", "ACPI\\PNP0303\\4&1D401FB5&0"}}}};
    CDevSimulation sim(store);
    ASSERT_TRUE(sim.SetDumpFile(kPath));
    CDevList list;
    list.emplace_back("kept", "", "", "", "");
    EXPECT_EQ(3, sim.DetectDevices("Display", &list));
    EXPECT_EQ((std::vector<std::string>{"ACPI\\PNP0303\\4&1D401FB5&0", "SUBSYS_00000000",
                                        "PCI\\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600", "kept"}),
              Ids(list));
    for (const CDevInfo& d : list)
        EXPECT_EQ("", d.DriverVersion + d.DriverDate + d.ProviderName + d.InfPath);

    EXPECT_EQ("Drivers\\P5Q-E\\WINXP\\ENU", sim.ExpandVariables("Drivers\\<MBModel>\\<DetectOS>\\<Lang>"));
    EXPECT_FALSE(sim.WriteDumpFile(kPath));

    // GetSWInfo reads the file anew; the expansion keeps the facts read when the file was bound.
    store.files[kPath][0].second[2].second = "CHT";
    SWInfo now;
    sim.GetSWInfo(&now);
    EXPECT_EQ("CHT", now.Lang);
    EXPECT_EQ("ENU", sim.ExpandVariables("<Lang>"));
}

TEST_F(DumpFileTest, ReplayDerivesWhatTheLiveDetectionDerived) {
    FakePlatform xp;
    xp.os.IsNT = xp.os.IsWinXP = true;
    xp.LoadImage();
    xp.setupDevices = {{"ACPI\\PNP0303\\4&1D401FB5&0", "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000"}};
    xp.AddDriver(kClassKey, "{4D36E96B-E325-11CE-BFC1-08002BE10318}\\0000", "5.1.2600.0");
    CDevList live;
    CDevDetect(xp).DetectDevices("", &live);
    ASSERT_TRUE(dump.Write(live, info));

    CDevSimulation sim(store);
    sim.SetDumpFile(kPath);
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

TEST_F(DumpFileTest, SimulationOfAFileWithoutFactsEmptiesEveryTag) {
    store.files[kPath] = {{"HWInfo", {{"HWID0", "A"}}}};
    CDevSimulation sim(store);
    sim.SetDumpFile(kPath);
    EXPECT_EQ("x\\\\.ini", sim.ExpandVariables("x\\<MBModel>\\<DetectOS><Lang>.ini"));
    CDevSimulation unbound(store);
    CDevList list;
    EXPECT_EQ(0, unbound.DetectDevices("", &list));
}
} // namespace

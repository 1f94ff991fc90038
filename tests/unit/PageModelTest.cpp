#include "core/PageModel.h"

#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "core/IniFile.h"
#include "core/ProfileEngine.h"

namespace {
const SWInfo kXp{"X100", "WinXP", "ENU"};

PageModel Build(const std::string& pageText, const CDevList& devices = {}, SWInfo info = kXp,
                int tabId = 10001) {
    IniFolder dir;
    FakeDetect detect(info);
    return BuildPageModel(CIniFile(dir.Write("Page.ini", pageText)), tabId, devices, detect);
}

std::vector<std::string> Captions(const PageModel& p) {
    std::vector<std::string> v;
    for (const PageButtonModel& b : p.buttons)
        v.push_back(b.caption);
    return v;
}
} // namespace

TEST(NormalPage, TypeOneEntriesBecomeAColumn) {
    PageModel p = Build("[IniInfo]\nIniType=Normal\nBtnNum=3\nButton1=A\nButton2=B\nButton3=C\n"
                        "[A]\nType=1\nCaption=Manual\nBehavior=OpenPDF\nFile=manual.pdf\nNote=Read me\n"
                        "[B]\nType=0\nCaption=Hidden\n"
                        "[C]\nType=1\nCaption=Folder\n");
    EXPECT_EQ(p.type, PageType::Normal);
    ASSERT_EQ(p.buttons.size(), 2u);
    const PageButtonModel& a = p.buttons[0];
    EXPECT_EQ(a.section, "A");
    EXPECT_EQ(a.caption, "Manual");
    EXPECT_EQ(a.behavior, "OpenPDF");
    EXPECT_EQ(a.file, "manual.pdf");
    EXPECT_EQ(a.note, "Read me");
    EXPECT_EQ(a.order, 0);
    EXPECT_EQ(a.id, 10);
    EXPECT_EQ(a.rect, (Rect{50, 130, 300, 160}));
    EXPECT_EQ(p.buttons[1].id, 11);
    EXPECT_EQ(p.buttons[1].rect, (Rect{50, 165, 300, 195}));
    EXPECT_FALSE(p.install);
}

TEST(NormalPage, IdsFollowTheTabNumber) {
    PageModel p =
        Build("[IniInfo]\nIniType=Normal\nBtnNum=2\nButton1=A\nButton2=A\n[A]\nType=1\n", {}, kXp, 10003);
    ASSERT_EQ(p.buttons.size(), 2u);
    EXPECT_EQ(p.buttons[0].id, 30);
    EXPECT_EQ(p.buttons[1].id, 31);
}

TEST(NormalPage, LanguageVariants) {
    const std::string text = "[IniInfo]\nIniType=Normal\nBtnNum=2\nButton1=A\nButton2=B\n"
                             "[A]\nType=1\nCaption=Y\nCaption.CHT=X\nBehavior=Open\nBehavior.CHT=Run\n"
                             "File=en.htm\nFile.CHT=tw.htm\nNote=n\nNote.CHT=\n"
                             "[B]\nType=1\nCaption=Y\nCaption.CHT=\nNote=n\n";
    PageModel cht = Build(text, {}, {"X100", "WinXP", "CHT"});
    ASSERT_EQ(cht.buttons.size(), 2u);
    EXPECT_EQ(cht.buttons[0].caption, "X");
    EXPECT_EQ(cht.buttons[0].behavior, "Run");
    EXPECT_EQ(cht.buttons[0].file, "tw.htm");
    EXPECT_EQ(cht.buttons[0].note, ""); // an empty variant note wins over the plain one
    EXPECT_EQ(cht.buttons[1].caption, "Y");
    EXPECT_EQ(cht.buttons[1].note, "n");

    PageModel enu = Build(text);
    EXPECT_EQ(Captions(enu), (std::vector<std::string>{"Y", "Y"}));
    EXPECT_EQ(enu.buttons[0].file, "en.htm");
    EXPECT_EQ(enu.buttons[0].note, "n");
}

TEST(NormalPage, EntryAndTypeExpandDetectionTags) {
    const std::string text = "[IniInfo]\nIniType=normal\nBtnNum=1\nButton1=Setup_<DetectOS>\n"
                             "[Setup_WinXP]\nType=<Lang>\nCaption=<MBModel> XP\n"
                             "[Setup_Win2000]\nType=1\nCaption=2000\n";
    PageModel xp = Build(text, {}, {"X100", "WinXP", "1"});
    EXPECT_EQ(xp.iniType, "normal");
    EXPECT_EQ(xp.type, PageType::Normal);
    ASSERT_EQ(xp.buttons.size(), 1u);
    EXPECT_EQ(xp.buttons[0].caption, "<MBModel> XP"); // captions are shown as written
    EXPECT_EQ(Captions(Build(text, {}, {"X100", "Win2000", "ENU"})), (std::vector<std::string>{"2000"}));
}

TEST(NormalPage, UnknownTypeOrMissingFileGivesAnEmptyPage) {
    PageModel odd = Build("[IniInfo]\nIniType=Normals\nBtnNum=1\nButton1=A\n[A]\nType=1\n");
    EXPECT_EQ(odd.type, PageType::None);
    EXPECT_TRUE(odd.buttons.empty());

    IniFolder dir;
    FakeDetect detect(kXp);
    PageModel none = BuildPageModel(CIniFile(dir.Path("absent.ini")), 10001, {}, detect);
    EXPECT_EQ(none.iniType, "");
    EXPECT_EQ(none.type, PageType::None);
}

TEST(NormalPage, HugeOrNegativeButtonCountsStayBounded) {
    std::string entries;
    for (int i : {1, 2, 3, kMaxButtonEntries, kMaxButtonEntries + 1})
        entries += "Button" + std::to_string(i) + "=A\n";
    PageModel p = Build("[IniInfo]\nIniType=Normal\nBtnNum=100000\n" + entries + "[A]\nType=1\n");
    ASSERT_EQ(p.buttons.size(), 4u); // entries past the limit are not read
    EXPECT_EQ(p.buttons[3].rect.top, 130 + 35 * 3);
    EXPECT_TRUE(Build("[IniInfo]\nIniType=Normal\nBtnNum=-1\nButton1=A\n[A]\nType=1\n").buttons.empty());
}

TEST(DriverPage, FileOrderDecidesButtonOrder) {
    const std::string text = "[IniInfo]\nIniType=Driver\n"
                             "[VEN_8086&DEV_24C5]\nType=1\nCaption=Sound\nNote=AC97\nChangeCurrDir=1\n"
                             "[VEN_10EC&DEV_8139]\nType=1\nCaption=Network\n";
    // Network detected first.
    CDevList devices = Devices({"PCI\\VEN_10EC&DEV_8139&SUBSYS_80F31043&REV_10",
                                "PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&REV_02", "ACPI\\PNP0303"});
    PageModel p = Build(text, devices);
    EXPECT_EQ(p.type, PageType::Driver);
    ASSERT_EQ(Captions(p), (std::vector<std::string>{"Sound", "Network"}));
    EXPECT_EQ(p.buttons[0].order, 1);
    EXPECT_EQ(p.buttons[1].order, 2);
    // Ids count creation, places count the column.
    EXPECT_EQ(p.buttons[0].id, 11);
    EXPECT_EQ(p.buttons[1].id, 10);
    EXPECT_EQ(p.buttons[0].rect.top, 130);
    EXPECT_EQ(p.buttons[1].rect.top, 165);
    EXPECT_EQ(p.buttons[0].note, "AC97");
    EXPECT_EQ(p.buttons[0].changeCurrDir, 1);
    EXPECT_EQ(p.buttons[1].changeCurrDir, 0);
}

TEST(DriverPage, SharedFallbackSectionGivesOneButtonPerDevice) {
    PageModel p = Build("[IniInfo]\nIniType=Driver\n[VEN_8086&DEV_2448]\nType=1\nCaption=Bridge\n",
                        Devices({"PCI\\VEN_8086&DEV_2448&SUBSYS_00000000&REV_81",
                                 "PCI\\VEN_8086&DEV_2448&SUBSYS_11111111&REV_81"}));
    EXPECT_EQ(Captions(p), (std::vector<std::string>{"Bridge", "Bridge"}));
}

TEST(DriverPage, SectionInOtherCaseIsFoundButMovesToTheTop) {
    PageModel p = Build("[IniInfo]\nIniType=Driver\n[VEN_10EC&DEV_8139]\nType=1\nCaption=Network\n"
                        "[ven_8086&dev_24c5]\nType=1\nCaption=Sound\n",
                        Devices({"PCI\\VEN_10EC&DEV_8139", "PCI\\VEN_8086&DEV_24C5"}));
    EXPECT_EQ(Captions(p), (std::vector<std::string>{"Sound", "Network"}));
    EXPECT_EQ(p.buttons[0].order, 0);
}

TEST(DriverPage, CandidatesAreTriedFromMostToLeastSpecific) {
    const char* id = "PCI\\VEN_1002&DEV_5960&SUBSYS_20021002&CC_0300";
    const std::vector<std::string> candidates = {
        std::string(id) + ".WinXP",
        id,
        "VEN_1002&DEV_5960&SUBSYS_20021002&CC_0300.WinXP",
        "VEN_1002&DEV_5960&SUBSYS_20021002&CC_0300",
        "VEN_1002&DEV_5960&SUBSYS_20021002.WinXP",
        "VEN_1002&DEV_5960&SUBSYS_20021002",
        "VEN_1002&DEV_5960&CC_0300.WinXP",
        "VEN_1002&DEV_5960&CC_0300",
        "VEN_1002&DEV_5960.WinXP",
        "VEN_1002&DEV_5960",
    };
    // Drop the best candidate each round: the next one must win.
    for (std::size_t first = 0; first < candidates.size(); ++first) {
        std::string text = "[IniInfo]\nIniType=Driver\n";
        for (std::size_t i = candidates.size(); i-- > first;)
            text += "[" + candidates[i] + "]\nType=x\nCaption=" + candidates[i] + "\n";
        PageModel p = Build(text, Devices({id}));
        ASSERT_EQ(p.buttons.size(), 1u);
        EXPECT_EQ(p.buttons[0].section, candidates[first]);
        EXPECT_EQ(p.buttons[0].caption, candidates[first]);
    }
}

TEST(DriverPage, OperatingSystemVariantAndEmptyType) {
    const std::string text = "[IniInfo]\nIniType=Driver\n[VEN_8086&DEV_24C5.WinXP]\nType=1\nCaption=XP\n"
                             "[VEN_8086&DEV_24C5]\nType=1\nCaption=Any\n"
                             "[VEN_8086&DEV_24C5&SUBSYS_80F31043]\nType=\nCaption=Unused\n";
    CDevList devices = Devices({"PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043"});
    EXPECT_EQ(Captions(Build(text, devices)), (std::vector<std::string>{"XP"}));
    EXPECT_EQ(Captions(Build(text, devices, {"X100", "Win2000", "ENU"})), (std::vector<std::string>{"Any"}));
    EXPECT_TRUE(Build(text, Devices({"PCI\\VEN_1106&DEV_3059"})).buttons.empty());
}

TEST(DriverPage, DeviceWithoutVendorIsFoundByItsWholeId) {
    PageModel p = Build("[IniInfo]\nIniType=Driver\n[ACPI\\PNP0303]\nType=1\nCaption=Keyboard\n",
                        Devices({"ACPI\\PNP0303", "ACPI\\PNP0501"}));
    EXPECT_EQ(Captions(p), (std::vector<std::string>{"Keyboard"}));
}

// The profile calls open the file each time: the driver page asks only for sections the file has,
// and still finds every section kernel32 would find.
TEST(DriverPage, ReadsOnlySectionsTheFileHas) {
    struct CountingStore : ProfileEngine {
        std::vector<std::string> asked;
        std::size_t GetString(const char* section, const char* key, const char* def, char* buf,
                              std::size_t size, const char* path) override {
            if (std::string(key) == "Type") asked.push_back(section);
            return ProfileEngine::GetString(section, key, def, buf, size, path);
        }
    };
    IniFolder dir;
    FakeDetect detect(kXp);
    auto build = [&](const std::string& text, const CDevList& devices, CountingStore& store) {
        return BuildPageModel(CIniFile(dir.Write("Page.ini", text), store), 10001, devices, detect);
    };

    CountingStore store;
    PageModel p = build("[IniInfo]\nIniType=Driver\n[ven_8086&dev_24c5]\nType=1\nCaption=Sound\n",
                        Devices({"PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&CC_0401"}), store);
    EXPECT_EQ(Captions(p), (std::vector<std::string>{"Sound"}));
    EXPECT_EQ(store.asked, (std::vector<std::string>{"VEN_8086&DEV_24C5"}));

    // More names than one list read holds: the list proves nothing, every candidate is read.
    std::string text = "[IniInfo]\nIniType=Driver\n";
    for (int i = 0; i < 400; ++i)
        text += "[Unused_section_" + std::to_string(1000 + i) + "]\nType=1\n";
    text += "[VEN_8086&DEV_24C5]\nType=1\nCaption=Sound\n";
    CountingStore cut;
    EXPECT_EQ(Captions(build(text, Devices({"PCI\\VEN_8086&DEV_24C5"}), cut)),
              (std::vector<std::string>{"Sound"}));
    EXPECT_EQ(cut.asked.size(), 8u); // all up to VEN_8086&DEV_24C5

    // A name outside ASCII may equal a candidate under the code page's case rules.
    CountingStore local;
    build("[IniInfo]\nIniType=Driver\n[VEN_8086&DEV_24C5]\nType=1\n[T\xDC"
          "RK\xC7"
          "E]\nType=1\n",
          Devices({"PCI\\VEN_8086&DEV_24C5"}), local);
    EXPECT_EQ(local.asked.size(), 8u);

    // An empty id names the lines before the first header, which no name list shows.
    CountingStore empty;
    EXPECT_EQ(Captions(build("Type=1\nCaption=Before\n[IniInfo]\nIniType=Driver\n", Devices({""}), empty)),
              (std::vector<std::string>{"Before"}));
}

namespace {
const std::string kModelPage =
    "[IniInfo]\nIniType=MBDependent\n"
    "[ModelIndex]\nVEN_8086&DEV_24C5&SUBSYS_80F31043=X100\nVEN_8086&DEV_24C5=Generic\n"
    "VEN_10DE&DEV_0110=X200\n"
    "[X100]\nBtnNum=2\nButton1=Tool_<DetectOS>\nButton2=Off\n"
    "[Generic]\nBtnNum=1\nButton1=Tool_WinXP\n"
    "[X200]\nBtnNum=0\n"
    "[Tool_WinXP]\nType=1\nCaption=Tuner\nNote=n\n"
    "[Off]\nType=2\nCaption=Off\n"
    "[Default]\nBtnNum=1\nButton1=Common\n"
    "[Common]\nType=1\nCaption=Common\n";
}

TEST(ModelPage, FirstDeviceThatNamesAModelDecides) {
    PageModel p =
        Build(kModelPage,
              Devices({"ACPI\\PNP0303", "PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043", "PCI\\VEN_10DE&DEV_0110"}));
    EXPECT_EQ(p.type, PageType::MBDependent);
    ASSERT_EQ(Captions(p), (std::vector<std::string>{"Tuner"}));
    EXPECT_EQ(p.buttons[0].note, "n");
    EXPECT_EQ(p.buttons[0].id, 10);
    // The subsystem form is asked before the plain vendor and device.
    EXPECT_EQ(Captions(Build(kModelPage, Devices({"PCI\\VEN_8086&DEV_24C5&SUBSYS_00000000"}))),
              (std::vector<std::string>{"Tuner"}));
}

TEST(ModelPage, AModelWithoutButtonsStillHidesTheDefault) {
    EXPECT_TRUE(
        Build(kModelPage, Devices({"PCI\\VEN_10DE&DEV_0110", "PCI\\VEN_8086&DEV_24C5"})).buttons.empty());
}

TEST(ModelPage, OtherBoardsGetTheDefaultOrNothing) {
    EXPECT_EQ(Captions(Build(kModelPage, Devices({"PCI\\VEN_1106&DEV_3059"}))),
              (std::vector<std::string>{"Common"}));
    std::string noDefault = kModelPage.substr(0, kModelPage.find("[Default]"));
    EXPECT_TRUE(Build(noDefault, Devices({"PCI\\VEN_1106&DEV_3059"})).buttons.empty());
}

TEST(ModelPage, SubsystemIdNamesAModel) {
    PageModel p = Build("[IniInfo]\nIniType=MBDependent\n[ModelIndex]\nSUBSYS_80F31043=X100\n"
                        "[X100]\nBtnNum=1\nButton1=T\n[T]\nType=1\nCaption=T\n",
                        Devices({"SUBSYS_80F31043"}));
    EXPECT_EQ(Captions(p), (std::vector<std::string>{"T"}));
}

namespace {
const std::string kInstallPage =
    "[IniInfo]\nIniType=SingleInstall\n"
    "[X100.WinXP]\nCaption=Install XP drivers\nNote.ENU=For <MBModel> on <DetectOS>\n"
    "Note=plain\nStep1=a.exe\n"
    "[X100]\nCaption=Install <MBModel> drivers\nCaption.CHT=<MBModel> \xA6\x77\xB8\xCB\n";
}

TEST(SingleInstallPage, SectionByModelAndSystem) {
    PageModel xp = Build(kInstallPage, {}, kXp, 10004);
    EXPECT_EQ(xp.type, PageType::SingleInstall);
    EXPECT_TRUE(xp.buttons.empty());
    ASSERT_TRUE(xp.install);
    EXPECT_EQ(xp.install->section, "X100.WinXP");
    EXPECT_EQ(xp.install->caption, "Install XP drivers");
    EXPECT_EQ(xp.install->note, "For X100 on WinXP");
    EXPECT_EQ(xp.install->id, 40);
    EXPECT_EQ(xp.install->rect, (Rect{50, 130, 300, 160}));

    PageModel w2k = Build(kInstallPage, {}, {"X100", "Win2000", "ENU"});
    ASSERT_TRUE(w2k.install);
    EXPECT_EQ(w2k.install->section, "X100");
    EXPECT_EQ(w2k.install->caption, "Install <MBModel> drivers"); // the plain caption is not expanded
    EXPECT_EQ(w2k.install->note, "");

    PageModel cht = Build(kInstallPage, {}, {"X100", "Win2000", "CHT"});
    EXPECT_EQ(cht.install->caption, "X100 \xA6\x77\xB8\xCB");
}

TEST(SingleInstallPage, VariantOnlyCaptionDoesNotChooseTheSection) {
    PageModel p = Build("[IniInfo]\nIniType=SingleInstall\n[X100.WinXP]\nCaption.ENU=XP only\n"
                        "[X100]\nCaption=Any system\n");
    ASSERT_TRUE(p.install);
    EXPECT_EQ(p.install->section, "X100");
    EXPECT_EQ(p.install->caption, "Any system");
}

TEST(SingleInstallPage, NoCaptionNoButton) {
    EXPECT_FALSE(Build("[IniInfo]\nIniType=SingleInstall\n[X100]\nStep1=a.exe\n").install);
    EXPECT_FALSE(Build(kInstallPage, {}, {"X300", "WinXP", "ENU"}).install);
}

TEST(LiveUpdatePage, StartControlsFromLiveUpdateIni) {
    EXPECT_EQ(Build("[IniInfo]\nIniType=LIVEUPDATE\n").type, PageType::Liveupdate);

    IniFolder dir;
    CIniFile full(dir.Write("Full.ini",
                            "[INTERFACE]\nStcStartMsgLeft=1\nStcStartMsgTop=2\nStcStartMsgRight=3\n"
                            "StcStartMsgBottom=4\nBtnStartLeft=5\nBtnStartTop=6\nBtnStartRight=7\n"
                            "BtnStartBottom=8\nLiveUpdate StartPage Message=Hello\n"
                            "LiveUpdate StartPage Message.CHT=\xB1\x7A\xA6\x6E\n"
                            "Update Start Button Caption=Start\n"));
    LiveStartModel s = BuildLiveStartModel(full, "CHT");
    EXPECT_EQ(s.messageRect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(s.buttonRect, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(s.message, "\xB1\x7A\xA6\x6E");
    EXPECT_EQ(s.caption, "Start");

    CIniFile partial(dir.Write("Part.ini", "[INTERFACE]\nStcStartMsgLeft=1\nStcStartMsgTop=2\n"
                                           "StcStartMsgRight=3\nStcStartMsgBottom=-1\nBtnStartLeft=5\n"
                                           "BtnStartRight=7\nBtnStartBottom=8\n"));
    s = BuildLiveStartModel(partial, "ENU");
    EXPECT_EQ(s.messageRect, (Rect{50, 150, 600, 400}));
    EXPECT_EQ(s.buttonRect, (Rect{500, 350, 620, 400}));
    EXPECT_EQ(s.message, "");
}

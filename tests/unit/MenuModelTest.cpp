#include "core/MenuModel.h"

#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "core/IniFile.h"

namespace {
// Root.ini with `n` plain tabs named T1..Tn, plus whatever `extra` adds.
std::string RootWithTabs(int n, const std::string& extra = "") {
    std::string root = "[Root]\n", sections;
    for (int i = 1; i <= n; ++i) {
        root += "TabButton" + std::to_string(i) + "=T" + std::to_string(i) + "\n";
        sections += "[T" + std::to_string(i) + "]\nCaption=Tab " + std::to_string(i) + "\n";
    }
    return root + sections + extra;
}

MenuModel Build(const std::string& rootText, const std::string& lang = "ENU", const CDevList& devices = {}) {
    IniFolder dir;
    CIniFile root(dir.Write("Root.ini", rootText));
    return BuildMenuModel(root, devices, lang);
}

std::vector<int> Lefts(const MenuModel& m) {
    std::vector<int> v;
    for (const TabModel& t : m.tabs)
        v.push_back(t.rect.left);
    return v;
}
} // namespace

TEST(MenuTabs, RowSharesWidthAmongCountedTabs) {
    const struct {
        int tabs, width;
    } cases[] = {{1, 600}, {2, 295}, {3, 193}, {4, 142}, {5, 112}, {6, 91}, {7, 77}, {8, 66}, {9, 57}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tabs);
        MenuModel m = Build(RootWithTabs(c.tabs));
        EXPECT_EQ(m.tabWidth, c.width);
        ASSERT_EQ(int(m.tabs.size()), c.tabs);
        for (int k = 0; k < c.tabs; ++k) {
            const TabModel& t = m.tabs[k];
            EXPECT_EQ(t.id, 10001 + k);
            EXPECT_EQ(t.rect, (Rect{40 + k * c.width, 80, 30 + (k + 1) * c.width, 120}));
            EXPECT_EQ(t.caption, "Tab " + std::to_string(k + 1));
        }
    }
}

TEST(MenuTabs, FourTabsStandWhereCdAuthorsExpect) {
    MenuModel m = Build(RootWithTabs(4));
    EXPECT_EQ(Lefts(m), (std::vector<int>{40, 182, 324, 466}));
    EXPECT_EQ(m.tabs[0].rect.right - m.tabs[0].rect.left, 132);
}

TEST(MenuTabs, HiddenTabKeepsItsSlotInTheWidth) {
    MenuModel m = Build("[Root]\nTabButton1=A\nTabButton2=B\nTabButton3=C\nTabButton4=D\n"
                        "[A]\nCaption=a\n[B]\nCaption=b\nType=1\n[C]\nCaption=c\n[D]\nCaption=d\n");
    EXPECT_EQ(m.tabWidth, 142);
    EXPECT_EQ(Lefts(m), (std::vector<int>{40, 182, 324}));
    EXPECT_EQ(m.tabs[2].id, 10003);
    EXPECT_EQ(m.tabs[2].caption, "d");
}

TEST(MenuTabs, TypeOtherThanOneShowsTheTab) {
    MenuModel m = Build("[Root]\nTabButton1=A\n[A]\nCaption=a\nType=01\n");
    EXPECT_EQ(m.tabs.size(), 1u);
}

TEST(MenuTabs, LanguageVariantCaptions) {
    const std::string text = "[Root]\nTabButton1=A\nTabButton2=B\nTabButton3=C\n"
                             "[A]\nCaption=Drivers\nCaption.CHT=\xBE\xC5\xB0\xCA\n"
                             "[B]\nCaption=Tools\nCaption.CHT=\n"
                             "[C]\nCaption.CHT=\xA7\xF3\xB7\x73\n";
    MenuModel cht = Build(text, "CHT");
    ASSERT_EQ(cht.tabs.size(), 3u);
    EXPECT_EQ(cht.tabs[0].caption, "\xBE\xC5\xB0\xCA");
    EXPECT_EQ(cht.tabs[1].caption, "Tools"); // empty variant falls back
    EXPECT_EQ(cht.tabs[2].caption, "\xA7\xF3\xB7\x73");
    // Only the plain Caption counts for the width, so the variant-only tab runs past the row.
    EXPECT_EQ(cht.tabWidth, 295);
    EXPECT_EQ(cht.tabs[2].rect.left, 630);

    MenuModel enu = Build(text, "ENU");
    ASSERT_EQ(enu.tabs.size(), 2u);
    EXPECT_EQ(enu.tabs[0].caption, "Drivers");
}

TEST(MenuTabs, ListEndsAtFirstMissingOrEmptyKey) {
    EXPECT_EQ(Build("[Root]\nTabButton1=A\nTabButton2=B\nTabButton4=D\n[A]\nCaption=a\n[B]\nCaption=b\n"
                    "[D]\nCaption=d\n")
                  .tabs.size(),
              2u);
    EXPECT_EQ(Build("[Root]\nTabButton1=A\nTabButton2=\nTabButton3=C\n[A]\nCaption=a\n[C]\nCaption=c\n")
                  .tabs.size(),
              1u);
}

TEST(MenuTabs, SectionWithoutCaptionGivesNoTabAndNoSlot) {
    MenuModel m = Build("[Root]\nTabButton1=A\nTabButton2=B\n[A]\nFile=a.ini\n[B]\nCaption=b\nFile=b.ini\n");
    ASSERT_EQ(m.tabs.size(), 1u);
    EXPECT_EQ(m.tabWidth, 600);
    EXPECT_EQ(m.tabs[0].id, 10001);
    EXPECT_EQ(m.tabs[0].section, "B");
    EXPECT_EQ(m.tabs[0].file, "b.ini");
}

TEST(MenuTabs, TenthTabIsCreatedPastTheCommandRange) {
    MenuModel m = Build(RootWithTabs(10));
    ASSERT_EQ(m.tabs.size(), 10u);
    EXPECT_EQ(m.tabWidth, 51);
    EXPECT_EQ(m.tabs[9].id, 10010);
    EXPECT_EQ(m.tabs[9].rect, (Rect{499, 80, 540, 120}));
}

TEST(MenuTabs, NoCountedTabLeavesAnEmptyRow) {
    for (const char* text :
         {"", "[Root]\nDefaultCaption=x\n", "[Root]\nTabButton1=A\n[A]\nCaption.CHT=a\n"}) {
        SCOPED_TRACE(text);
        MenuModel m = Build(text, "CHT");
        EXPECT_TRUE(m.tabs.empty());
        EXPECT_EQ(m.tabWidth, 0);
        EXPECT_EQ(m.close.id, 20001);
    }
    IniFolder dir;
    MenuModel missing = BuildMenuModel(CIniFile(dir.Path("Root.ini")), {}, "ENU");
    EXPECT_TRUE(missing.tabs.empty());
}

TEST(MenuTabs, OverlongCaptionIsCutToTheValueLimit) {
    std::string longText(3000, 'W');
    MenuModel m =
        Build("[Root]\nDefaultCaption=" + longText + "\nTabButton1=A\n[A]\nCaption=" + longText + "\n");
    ASSERT_EQ(m.tabs.size(), 1u);
    EXPECT_EQ(m.tabs[0].caption, std::string(2047, 'W'));
    EXPECT_EQ(m.defaultCaption, std::string(2047, 'W'));
}

TEST(MenuFixedButtons, DefaultsAndRectangleTexts) {
    MenuModel m = Build("[Root]\n");
    EXPECT_EQ(m.close.caption, "Close");
    EXPECT_EQ(m.close.rect, (Rect{520, 420, 600, 460}));
    EXPECT_EQ(m.web.id, 20002);
    EXPECT_EQ(m.web.caption, "");
    EXPECT_EQ(m.web.rect, (Rect{30, 420, 110, 460}));
    EXPECT_FALSE(m.hasBrowse);

    m = Build("[Root]\nCloseButton=500,400,580\nWebButton=garbage\nBrowseCD=YES\n");
    EXPECT_EQ(m.close.rect, (Rect{500, 400, 580, 580}));
    EXPECT_EQ(m.web.rect, (Rect{0, 0, 0, 0}));
    ASSERT_TRUE(m.hasBrowse);
    EXPECT_EQ(m.browse.caption, "Browse CD");
    EXPECT_EQ(m.browse.id, 20003);
    EXPECT_EQ(m.browse.rect, (Rect{180, 420, 270, 460}));

    m = Build("[Root]\nBrowseCD=YES\nBrowseCDButton=10, 20, 30, 40\n");
    EXPECT_EQ(m.browse.rect, (Rect{10, 20, 30, 40}));
}

TEST(MenuFixedButtons, BrowseCdOnlyForExactYes) {
    for (const char* v : {"yes", "Yes", "Y", "1", "NO", ""}) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(Build(std::string("[Root]\nBrowseCD=") + v + "\n").hasBrowse);
    }
}

TEST(MenuTexts, ByModelPicksTheFirstDeviceWithAnEntry) {
    CDevList devices = Devices({"ACPI\\PNP0303", "PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&REV_02",
                                "PCI\\VEN_10EC&DEV_8139&SUBSYS_80F31043"});
    const std::string text = "[Root]\nDefaultCaption=Board CD\nSubCaption=ByModel\nReadMe=ByModel\n"
                             "[SubCaption]\nVEN_10EC&DEV_8139&SUBSYS_80F31043=Network board\n"
                             "VEN_8086&DEV_24C5&SUBSYS_80F31043=Sound board\n"
                             "[ReadMe]\nVEN_10EC&DEV_8139&SUBSYS_80F31043=net.htm\n";
    MenuModel m = Build(text, "ENU", devices);
    EXPECT_EQ(m.defaultCaption, "Board CD");
    EXPECT_EQ(m.subCaption, "Sound board");
    EXPECT_EQ(m.readMe, "net.htm");

    EXPECT_EQ(Build(text, "ENU", Devices({"PCI\\VEN_1106&DEV_3059"})).subCaption, "");
    // Only the exact word selects by model.
    EXPECT_EQ(Build("[Root]\nSubCaption=bymodel\n[SubCaption]\n").subCaption, "bymodel");
}

TEST(DeviceList, DuplicatesGoFirstKeptStays) {
    CDevList devices = Devices({
        "PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&REV_01",
        "PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&REV_02", // same VenDevSubsys
        "ACPI\\PNP0303",
        "ACPI\\PNP0501", // empty VenDevSubsys: kept
        "ACPI\\PNP0303", // same HardwareId
        "acpi\\PNP0303", // ids compare with case
        "PCI\\VEN_10EC&DEV_8139&SUBSYS_80F31043",
    });
    RemoveDuplicateDevices(devices);
    std::vector<std::string> kept;
    for (const CDevInfo& d : devices)
        kept.push_back(d.HardwareId);
    EXPECT_EQ(kept, (std::vector<std::string>{"PCI\\VEN_8086&DEV_24C5&SUBSYS_80F31043&REV_01",
                                              "ACPI\\PNP0303", "ACPI\\PNP0501", "acpi\\PNP0303",
                                              "PCI\\VEN_10EC&DEV_8139&SUBSYS_80F31043"}));
}

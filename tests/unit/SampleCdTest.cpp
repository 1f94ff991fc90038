// The bundled sample CD read the way the program reads it on the sample board.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "core/IniFile.h"
#include "core/MenuModel.h"
#include "core/PageModel.h"
#include "core/StartPage.h"

#include <algorithm>

namespace {
const std::string kCd = (std::filesystem::path(__FILE__).parent_path() / "../../examples/").string();

CDevList SampleBoard() {
    return Devices(
        {"SUBSYS_0845FA01", "PCI\\VEN_8086&DEV_1A30&SUBSYS_0845FA01&CC_0600",
         "PCI\\VEN_8086&DEV_24C0&SUBSYS_0845FA01&CC_0601", "PCI\\VEN_8086&DEV_24CD&SUBSYS_0845FA01&CC_0C03",
         "PCI\\VEN_8086&DEV_24C5&SUBSYS_0845FA01&CC_0401", "PCI\\VEN_10EC&DEV_8139&SUBSYS_0845FA01&CC_0200",
         "PCI\\VEN_1002&DEV_5960&SUBSYS_0845FA01&CC_0300", "ACPI\\PNP0303"});
}

std::vector<std::string> Captions(const PageModel& p) {
    std::vector<std::string> v;
    for (const PageButtonModel& b : p.buttons)
        v.push_back(b.caption);
    return v;
}

PageModel Page(const char* name, int tabId, const SWInfo& info) {
    FakeDetect detect(info);
    return BuildPageModel(CIniFile(kCd + "Pages/" + name), tabId, SampleBoard(), detect);
}
} // namespace

TEST(SampleCd, FiveTabsInBothLanguages) {
    MenuModel enu = BuildMenuModel(CIniFile(kCd + "Root.ini"), SampleBoard(), "ENU");
    ASSERT_EQ(enu.tabs.size(), 5u);
    EXPECT_EQ(enu.tabWidth, 112);
    EXPECT_EQ(enu.tabs[1].caption, "Drivers");
    EXPECT_EQ(enu.subCaption, "Intel 845 chipset, AC97 audio, 10/100 LAN");
    EXPECT_TRUE(enu.hasBrowse);
    const std::string file = enu.tabs[4].file;
    EXPECT_EQ(file.substr(file.size() - 21), "\\Pages\\LiveUpdate.ini");

    MenuModel cht = BuildMenuModel(CIniFile(kCd + "Root.ini"), SampleBoard(), "CHT");
    EXPECT_EQ(cht.tabs[1].caption, "\xC5\x58\xB0\xCA\xB5\x7B\xA6\xA1");
}

TEST(SampleCd, PagesOnWindowsXp) {
    const SWInfo xp{"X845", "WinXP", "ENU"};
    PageModel docs = Page("Documents.ini", 10001, xp);
    EXPECT_EQ(Captions(docs), (std::vector<std::string>{"User's Manual (PDF)", "Quick Installation Guide",
                                                        "Technical Support on the Web"}));
    EXPECT_EQ(Captions(Page("Drivers.ini", 10002, xp)),
              (std::vector<std::string>{"Intel Chipset Software Installation Utility",
                                        "ATI RADEON 9200 Display Driver", "AC97 Audio Driver",
                                        "Realtek RTL8139 LAN Driver"}));
    EXPECT_EQ(Captions(Page("Utilities.ini", 10003, xp)),
              (std::vector<std::string>{"VORN Hardware Monitor", "Live BIOS Flash for Windows XP",
                                        "Adobe Acrobat Reader"}));
    PageModel install = Page("Install.ini", 10004, xp);
    ASSERT_TRUE(install.install);
    EXPECT_EQ(install.install->section, "X845.WinXP");
    EXPECT_EQ(install.install->id, 40);
    EXPECT_EQ(Page("LiveUpdate.ini", 10005, xp).type, PageType::Liveupdate);

    LiveStartModel live = BuildLiveStartModel(CIniFile(kCd + "LiveUpdate.ini"), "ENU");
    EXPECT_EQ(live.caption, "Start");
    EXPECT_EQ(live.messageRect, (Rect{50, 150, 600, 330}));
}

TEST(SampleCd, PagesOnWindows2000InChinese) {
    const SWInfo w2k{"X845", "Win2000", "CHT"};
    std::vector<std::string> drivers = Captions(Page("Drivers.ini", 10002, w2k));
    ASSERT_EQ(drivers.size(), 5u);
    EXPECT_EQ(drivers[3], "USB 2.0 Driver for Windows 2000");
    EXPECT_EQ(Page("Install.ini", 10004, w2k).install->caption,
              "\xA6\x77\xB8\xCB\xA9\xD2\xA6\xB3\xC5\x58\xB0\xCA\xB5\x7B\xA6\xA1 (Win2000)");
}

TEST(SampleCd, StartPageIsAFileOnTheCd) {
    const CIniFile root(kCd + "Root.ini");
    const std::string startWindow = root.GetString("Root", "StartWindow", "Normal");
    ASSERT_TRUE(WantsStartWindow(startWindow));
    std::string page = StartPageAddress(startWindow, kCd);
    std::replace(page.begin(), page.end(), '\\', '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(page)) << page;
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(page).parent_path() / "splash.gif"));
}

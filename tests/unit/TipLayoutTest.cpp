#include "core/TipLayout.h"

#include <gtest/gtest.h>

#include "TempIni.h"
#include "core/IniFile.h"

namespace {
const TipLabels kLabels{"Installed:", "Latest:", "Date:", "By:"};

TipFields Live(const std::string& mode) {
    TipFields f;
    f.Title = "VGA";
    f.CurrentVer = "1.0";
    f.CurrentDate = "1/1/2004";
    f.CurrentProvider = "Old Inc";
    f.Ver = "2.0";
    f.Date = "2/2/2005";
    f.Provider = "New Inc";
    f.TipMode = mode;
    f.IniType = "Liveupdate";
    return f;
}

std::vector<std::string> Texts(const std::vector<TipLine>& lines) {
    std::vector<std::string> v;
    for (const TipLine& l : lines)
        v.push_back(l.text);
    return v;
}
} // namespace

TEST(TipLines, LiveUpdateAdvanceShowsBothDriversWithAGapBetween) {
    for (const char* mode : {"Advance", "advance", "ADVANCE"}) {
        auto lines = TipLines(Live(mode), kLabels);
        EXPECT_EQ(Texts(lines),
                  (std::vector<std::string>{"VGA", "Installed: 1.0", "Date: 1/1/2004", "By: Old Inc",
                                            "Latest: 2.0", "Date: 2/2/2005", "By: New Inc"}))
            << mode;
        ASSERT_EQ(lines.size(), 7u);
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].gap, i == 4 ? 15 : 0) << i;
    }
}

TEST(TipLines, LiveUpdateNormalShowsTheOfferedDriverOnly) {
    auto lines = TipLines(Live("normal"), kLabels);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::string>{"VGA", "Latest: 2.0", "Date: 2/2/2005", "By: New Inc"}));
    for (const TipLine& l : lines)
        EXPECT_EQ(l.gap, 0);
}

TEST(TipLines, LiveUpdateWithAnotherModeSaysNothing) {
    for (const char* mode : {"", "Advanced", "Norma"})
        EXPECT_TRUE(TipLines(Live(mode), kLabels).empty()) << mode;
}

TEST(TipLines, EmptyFieldsAndLabelsKeepTheSpace) {
    TipFields f;
    f.IniType = "LIVEUPDATE";
    f.TipMode = "Normal";
    EXPECT_EQ(Texts(TipLines(f, {})), (std::vector<std::string>{"", " ", " ", " "}));
}

TEST(TipLines, NotePagesShowTheNoteUnlessEmpty) {
    for (const char* type : {"Driver", "normal", "MBDEPENDENT"}) {
        TipFields f;
        f.IniType = type;
        f.InstallNote = "not mine";
        EXPECT_TRUE(TipLines(f, kLabels).empty()) << type;
        f.Note = "Read this";
        EXPECT_EQ(Texts(TipLines(f, kLabels)), (std::vector<std::string>{"Read this"})) << type;
    }
}

TEST(TipLines, InstallPagesShowTheInstallNoteEvenEmpty) {
    TipFields f;
    f.IniType = "SingleInstall";
    f.Note = "not mine";
    EXPECT_EQ(Texts(TipLines(f, kLabels)), (std::vector<std::string>{""}));
    f.InstallNote = "Installs all";
    EXPECT_EQ(Texts(TipLines(f, kLabels)), (std::vector<std::string>{"Installs all"}));
}

TEST(TipLines, UnknownPageKindSaysNothing) {
    TipFields f;
    f.IniType = "Other";
    f.Note = f.InstallNote = "x";
    EXPECT_TRUE(TipLines(f, kLabels).empty());
}

TEST(TipLabels, LanguageVariantFirstThenPlainKey) {
    TempIni root("[INTERFACE]\nCurrent Install=Current\nCurrent Install.CHT=CHT current\n"
                 "Latest Driver=Latest\nLatest Driver.CHT=\nIssue Date=Date\nProvider.GER=Anbieter\n");
    CIniFile ini(root.Path());
    TipLabels cht = ReadTipLabels(ini, "CHT");
    EXPECT_EQ(cht.currentInstall, "CHT current");
    EXPECT_EQ(cht.latestDriver, ""); // a variant present but empty wins
    EXPECT_EQ(cht.issueDate, "Date");
    EXPECT_EQ(cht.provider, "");
    TipLabels ger = ReadTipLabels(ini, "GER");
    EXPECT_EQ(ger.currentInstall, "Current");
    EXPECT_EQ(ger.latestDriver, "Latest");
    EXPECT_EQ(ger.provider, "Anbieter");
}

TEST(TipLabels, LongLabelsAreKeptAsReadable) {
    const std::string label(3000, 'L');
    TempIni root("[INTERFACE]\nProvider=" + label + "\n");
    EXPECT_EQ(ReadTipLabels(CIniFile(root.Path()), "ENU").provider, label.substr(0, 2047));
}

TEST(TipStyle, ColourAndSizeFromRootIni) {
    struct Case {
        const char* text;
        std::uint32_t color;
        int size;
    } cases[] = {
        {"", 0xFFFFFF, 10},
        {"[Root]\nTip Color R=0\n", 0xFFFF00, 10}, // cyan
        {"[Root]\nTip Color R=1\nTip Color G=2\nTip Color B=3\nNoteSize=12\n", 0x030201, 12},
        // Out of range: each part stays in its byte, the size falls back to the default.
        {"[Root]\nTip Color R=300\nTip Color G=-1\nTip Color B=65536\nNoteSize=0\n", 0xFF00FF, 10},
        {"[Root]\nTip Color G=x\nNoteSize=-4\n", 0xFF00FF, 10},
        {"[Root]\nNoteSize=501\n", 0xFFFFFF, 10},
        {"[Root]\nNoteSize=500\n", 0xFFFFFF, 500},
        {"[Root]\nNoteSize=150\n", 0xFFFFFF, 150},
        {"[Root]\nNoteSize=4294967295\n", 0xFFFFFF, 10},
    };
    for (const Case& c : cases) {
        TempIni root(c.text);
        TipStyle s = ReadTipStyle(CIniFile(root.Path()));
        EXPECT_EQ(s.color, c.color) << c.text;
        EXPECT_EQ(s.noteSize, c.size) << c.text;
    }
    TipStyle missing = ReadTipStyle(CIniFile("/nonexistent/Root.ini"));
    EXPECT_EQ(missing.color, 0xFFFFFFu);
    EXPECT_EQ(missing.noteSize, 10);
}

TEST(TipFace, ChineseFaceOnlyForCht) {
    EXPECT_STREQ(TipFace("CHT"), "\xB2\xD3\xA9\xFA\xC5\xE9");
    for (const char* lang : {"ENU", "cht", "CHS", "", "XYZ"})
        EXPECT_STREQ(TipFace(lang), "Times New Roman") << lang;
}

TEST(TipBackground, RowsCountFromThePicturesBottomAndOnlyWhatItCoversIsTaken) {
    struct Case {
        Rect area;
        int width, height;
        Rect source;
        int destX, destY;
    } cases[] = {
        {{310, 150, 600, 400}, 640, 480, {310, 80, 600, 330}, 0, 0},
        {{310, 150, 600, 400}, 400, 300, {310, 0, 400, 150}, 0, 0}, // a picture smaller than the view
        {{-10, -20, 50, 60}, 640, 480, {0, 420, 50, 480}, 10, 20},  // an area sticking out top-left
    };
    for (const Case& c : cases) {
        TipBackground part;
        ASSERT_TRUE(TipBackgroundPart(c.area, c.width, c.height, part)) << c.area.left;
        EXPECT_EQ(part.source, c.source) << c.area.left;
        EXPECT_EQ(part.destX, c.destX) << c.area.left;
        EXPECT_EQ(part.destY, c.destY) << c.area.left;
    }
}

TEST(TipBackground, AnAreaOutsideThePictureHasNone) {
    TipBackground part;
    EXPECT_FALSE(TipBackgroundPart({310, 150, 600, 400}, 300, 480, part));
    EXPECT_FALSE(TipBackgroundPart({310, 150, 600, 400}, 640, 150, part));
    EXPECT_FALSE(TipBackgroundPart({310, 150, 600, 400}, 0, 0, part));
    EXPECT_FALSE(TipBackgroundPart({310, 400, 600, 150}, 640, 480, part));
}

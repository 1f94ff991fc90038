// The linter on a small valid CD, and on copies of it with one mistake each.
#include "core/CdLint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {
// A 1 x 1 bitmap of 24 bits, the smallest the program draws.
std::string Bitmap() {
    const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                 0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,  0, 0, 0, 0, 0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0};
    return std::string(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

// Every page type, a language variant, a system-dependent entry and an install sequence with a restart.
std::map<std::string, std::string> ValidCd() {
    return {
        {"Root.ini", "[Root]\r\n"
                     "DefaultCaption=Test CD\r\n"
                     "Background=<Path>\\bg.bmp\r\n"
                     "CloseButton=520, 420, 600, 460\r\n"
                     "Tip Color R=255\r\n"
                     "TabButton1=Tab_Docs\r\n"
                     "TabButton2=Tab_Drivers\r\n"
                     "TabButton3=Tab_Tools\r\n"
                     "TabButton4=Tab_Install\r\n"
                     "TabButton5=Tab_Live\r\n"
                     "\r\n"
                     "[Tab_Docs]\r\nCaption=Docs\r\nCaption.CHT=Docs CHT\r\nFile=<Path>\\Pages\\Docs.ini\r\n"
                     "[Tab_Drivers]\r\nCaption=Drivers\r\nFile=<Path>\\Pages\\Drivers.ini\r\n"
                     "[Tab_Tools]\r\nCaption=Tools\r\nFile=<Path>\\Pages\\Tools.ini\r\n"
                     "[Tab_Install]\r\nCaption=Install\r\nFile=<Path>\\Pages\\Install.ini\r\n"
                     "[Tab_Live]\r\nCaption=Live\r\nFile=<Path>\\Pages\\Live.ini\r\n"},
        {"Pages/Docs.ini", "[IniInfo]\r\n"
                           "IniType=Normal\r\n"
                           "BtnNum=2\r\n"
                           "Button1=Manual\r\n"
                           "Button2=Guide_<DetectOS>\r\n"
                           "[Manual]\r\n"
                           "Type=1\r\n"
                           "Caption=Manual\r\n"
                           "Behavior=Open\r\n"
                           "File=<Path>\\Docs\\manual.pdf\r\n"
                           "[Guide_WinXP]\r\n"
                           "Type=1\r\n"
                           "Caption=Guide\r\n"
                           "Behavior=Explore\r\n"
                           "File=<Path>\\Docs\\guide.htm\r\n"},
        {"Pages/Drivers.ini", "[IniInfo]\r\nIniType=Driver\r\n"
                              "[VEN_8086&DEV_24C5]\r\nType=1\r\nCaption=Audio\r\nBehavior=Open\r\n"
                              "File=<Path>\\Drivers\\audio.exe\r\nChangeCurrDir=1\r\n"},
        {"Pages/Tools.ini", "[IniInfo]\r\nIniType=MBDependent\r\n"
                            "[ModelIndex]\r\nSUBSYS_0845FA01=X845\r\n"
                            "[X845]\r\nBtnNum=1\r\nButton1=Monitor\r\n"
                            "[Default]\r\nBtnNum=1\r\nButton1=Monitor\r\n"
                            "[Monitor]\r\nType=1\r\nCaption=Monitor\r\nBehavior=Open\r\n"
                            "File=<Path>\\Tools\\monitor.exe\r\n"},
        {"Pages/Install.ini", "[IniInfo]\r\n"
                              "IniType=SingleInstall\r\n"
                              "[X845.WinXP]\r\n"
                              "Caption=Install all\r\n"
                              "Step1=<Path>\\Drivers\\audio.exe -s, Audio\r\n"
                              "Step2=Reboot\r\n"
                              "Step3=<Path>\\Tools\\monitor.exe, Monitor\r\n"
                              "RestartWhenFinish=NO\r\n"},
        {"Pages/Live.ini", "[IniInfo]\r\nIniType=Liveupdate\r\n"},
        {"LiveUpdate.ini",
         "[FTP SITE]\r\nIP=ftp.example\r\nID=anonymous\r\nPASSWORD=x\r\nPORT=21\r\nROOT DIR=live/\r\n"
         "[INTERFACE]\r\nLiveUpdate StartPage Message=Newer drivers\r\n"
         "Update Start Button Caption=Start\r\n"},
        {"bg.bmp", Bitmap()},
        {"Docs/manual.pdf", "%PDF"},
        {"Docs/guide.htm", "<html></html>"},
        {"Drivers/audio.exe", "MZ"},
        {"Tools/monitor.exe", "MZ"},
    };
}

// A CD folder written from file texts; removed with the object.
class TempCd {
  public:
    explicit TempCd(const std::map<std::string, std::string>& files) {
        std::string pattern = (fs::temp_directory_path() / "lintcd-XXXXXX").string();
        m_dir = mkdtemp(pattern.data());
        for (const auto& f : files) {
            fs::create_directories((m_dir / f.first).parent_path());
            std::ofstream(m_dir / f.first, std::ios::binary) << f.second;
        }
    }
    ~TempCd() { fs::remove_all(m_dir); }
    std::string Path() const { return m_dir.string(); }

  private:
    fs::path m_dir;
};

std::string Lint(const std::map<std::string, std::string>& files) {
    TempCd cd(files);
    CdLint lint(cd.Path());
    std::string why, out;
    EXPECT_TRUE(lint.Run(why)) << why;
    for (const LintFinding& f : lint.Findings())
        out += f.Text() + "\n";
    return out;
}

// The valid CD with `find` in file `name` replaced by `with` (the file dropped when `with` is null).
std::map<std::string, std::string> Changed(const std::string& name, const std::string& find,
                                           const char* with) {
    auto files = ValidCd();
    if (!with) {
        files.erase(name);
        return files;
    }
    std::string& text = files[name];
    const std::size_t at = text.find(find);
    EXPECT_NE(at, std::string::npos) << find;
    if (at != std::string::npos) text.replace(at, find.size(), with);
    return files;
}
} // namespace

TEST(CdLint, ValidCdHasNoFinding) {
    EXPECT_EQ(Lint(ValidCd()), "");
}

// Other letter cases than the program asks for, LF line ends, comments, blank lines and blanks
// around names: the program reads it all the same, so the lint finds nothing either.
TEST(CdLint, TrickyButValidCdHasNoFinding) {
    auto files = ValidCd();
    for (auto& f : files) {
        if (f.first.size() < 4 || f.first.compare(f.first.size() - 4, 4, ".ini") != 0) continue;
        std::string text;
        for (char c : f.second)
            if (c != '\r') text += c;
        f.second = "; written by hand\n\n" + text;
    }
    auto replace = [&](const std::string& name, const std::string& from, const std::string& to) {
        std::string& text = files[name];
        ASSERT_NE(text.find(from), std::string::npos) << from;
        text.replace(text.find(from), from.size(), to);
    };
    replace("Root.ini", "[Root]", "[ root ]");
    replace("Root.ini", "TabButton1=", "tabbutton1 = ");
    replace("Root.ini", "<Path>\\Pages\\Docs.ini", "<Path>\\pages\\DOCS.INI");
    replace("Pages/Docs.ini", "IniType=Normal", "initype=normal");
    replace("Pages/Docs.ini", "[Guide_WinXP]", "\n; the guide of Windows XP only\n[guide_winxp]");
    replace("Pages/Docs.ini", "File=<Path>\\Docs\\manual.pdf", "  FILE = \"<Path>\\docs\\Manual.PDF\"");
    replace("Pages/Install.ini", "[X845.WinXP]", "[x845.winxp]");
    replace("Pages/Install.ini", "Step2=Reboot", "step2=REBOOT");
    replace("Root.ini", "Caption.CHT=", "caption.cht=");
    // A CD that asks for the names of modern Windows gets its Windows 10 section read.
    replace("Root.ini", "DefaultCaption=", "detectmodernwindows = Yes\nDefaultCaption=");
    replace("Pages/Install.ini", "RestartWhenFinish=NO\n",
            "RestartWhenFinish=NO\n[X845.Win10]\nCaption=Ten\n");
    EXPECT_EQ(Lint(files), "");
}

// One row per kind of mistake: the CD with that one mistake, and what the lint says of it.
struct Mistake {
    const char* what;
    const char* file;
    const char* find;
    const char* with; // null: the file is gone
    const char* expected;
};

const Mistake kMistakes[] = {
    {"Windows 10 section on a CD that does not ask for modern names", "Pages/Install.ini",
     "RestartWhenFinish=NO\r\n", "RestartWhenFinish=NO\r\n[X845.Win10]\r\nCaption=Ten\r\n",
     "Pages/Install.ini:9: warning: [X845.Win10] : nothing names this section: the program never reads it\n"},
    {"missing action file", "Docs/manual.pdf", "", nullptr,
     "Pages/Docs.ini:10: error: [Manual] File: no such file on the CD: Docs/manual.pdf\n"},
    {"missing install program", "Tools/monitor.exe", "", nullptr,
     "Pages/Tools.ini:15: error: [Monitor] File: no such file on the CD: Tools/monitor.exe\n"
     "Pages/Install.ini:7: error: [X845.WinXP] Step3: no such file on the CD: Tools/monitor.exe\n"},
    {"missing page file", "Pages/Drivers.ini", "", nullptr,
     "Root.ini:18: error: [Tab_Drivers] File: no such file on the CD: Pages/Drivers.ini\n"},
    {"missing background", "bg.bmp", "", nullptr,
     "Root.ini:3: error: [Root] Background: no such file on the CD: bg.bmp\n"},
    {"bitmap the program cannot load", "bg.bmp", "BM", "PK",
     "Root.ini:3: error: [Root] Background: the program cannot load this bitmap: bg.bmp\n"},
    {"unknown page type", "Pages/Tools.ini", "IniType=MBDependent", "IniType=ByBoard",
     "Pages/Tools.ini:2: error: [IniInfo] IniType: 'ByBoard' is none of Normal, Driver, MBDependent, "
     "SingleInstall, Liveupdate: the page stays empty\n"
     "Pages/Tools.ini:3: warning: [ModelIndex] : nothing names this section: the program never reads it\n"
     "Pages/Tools.ini:5: warning: [X845] : nothing names this section: the program never reads it\n"
     "Pages/Tools.ini:8: warning: [Default] : nothing names this section: the program never reads it\n"
     "Pages/Tools.ini:11: warning: [Monitor] : nothing names this section: the program never reads it\n"},
    {"unknown action word", "Pages/Docs.ini", "Behavior=Open", "Behavior=open",
     "Pages/Docs.ini:9: error: [Manual] Behavior: 'open' is none of Open, Explore, Link, FTP_FILE, "
     "FTP_FOLDER (case counts): the button does nothing\n"},
    {"more buttons counted than listed", "Pages/Docs.ini", "BtnNum=2", "BtnNum=3",
     "Pages/Docs.ini:3: error: [IniInfo] BtnNum: BtnNum counts more entries than there are: no Button3\n"},
    {"gap in the tab numbers", "Root.ini", "TabButton5=Tab_Live\r\n",
     "TabButton5=Tab_Live\r\nTabButton7=Tab_Docs\r\n",
     "Root.ini:11: error: [Root] TabButton7: TabButton6 is missing or empty: this tab and all after it never "
     "appear\n"},
    {"gap in the install steps", "Pages/Install.ini", "RestartWhenFinish", "Step5=x.exe\r\nRestartWhenFinish",
     "Pages/Install.ini:8: error: [X845.WinXP] Step5: Step4 is missing or empty: the sequence ends before "
     "this "
     "step\n"},
    {"rectangle that does not parse", "Root.ini", "600, 460", "600; 460",
     "Root.ini:4: error: [Root] CloseButton: not four whole numbers: the program reads 520, 420, 600, 600\n"
     "Root.ini:4: warning: [Root] CloseButton: the Close button (520, 420, 600, 600) reaches outside the 640 "
     "x "
     "480 window\n"},
    {"section name that breaks the resume line", "Pages/Install.ini", "[X845.WinXP]", "[X845/Pro.WinXP]",
     "Pages/Install.ini:3: error: [X845/Pro.WinXP] : the install sequence cannot resume after a restart: the "
     "section name must not hold '/'\n"},
    {"variable that does not exist", "Pages/Docs.ini", "<Path>\\Docs\\manual", "<path>\\Docs\\manual",
     "Pages/Docs.ini:10: error: [Manual] File: <path> is no variable (names count their case): it reads as "
     "empty\n"},
    {"variable the detection does not expand", "Pages/Docs.ini", "Guide_<DetectOS>", "Guide_<WinDir>",
     "Pages/Docs.ini:5: error: [IniInfo] Button2: <WinDir> is not replaced here, only <DetectOS>, <Lang> and "
     "<MBModel> are: it reads as empty\n"
     "Pages/Docs.ini:5: error: [IniInfo] Button2: names section [Guide_], which the file does not have: no "
     "button\n"
     "Pages/Docs.ini:11: warning: [Guide_WinXP] : nothing names this section: the program never reads it\n"},
    {"no LiveUpdate.ini for a Liveupdate page", "LiveUpdate.ini", "", nullptr,
     "Pages/Live.ini:2: error: [IniInfo] IniType: no LiveUpdate.ini in the CD folder: the live update has no "
     "server and no start page\n"},
    {"entry naming a section the page does not have", "Pages/Tools.ini", "Button1=Monitor\r\n[Default]",
     "Button1=Monitr\r\n[Default]",
     "Pages/Tools.ini:7: error: [X845] Button1: names section [Monitr], which the file does not have: no "
     "button\n"},
    {"number that is none", "Root.ini", "Tip Color R=255", "Tip Color R=white",
     "Root.ini:5: error: [Root] Tip Color R: 'white' is not a number: the program reads 0\n"},
    {"language variant without its key", "Pages/Docs.ini", "Caption=Manual\r\n",
     "Caption=Manual\r\nNote.CHT=Handbook\r\n",
     "Pages/Docs.ini:9: warning: [Manual] Note.CHT: a language variant without Note: other languages get no "
     "text from this section\n"},
    {"rectangle outside the window", "Root.ini", "520, 420, 600, 460", "580, 420, 660, 460",
     "Root.ini:4: warning: [Root] CloseButton: the Close button (580, 420, 660, 460) reaches outside the 640 "
     "x "
     "480 window\n"},
    {"overlapping buttons", "Root.ini", "CloseButton=", "WebButton=500, 430, 560, 470\r\nCloseButton=",
     "Root.ini:4: warning: [Root] WebButton: the web-link button (500, 430, 560, 470) overlaps the Close "
     "button "
     "(520, 420, 600, 460)\n"},
    {"section nothing names", "Pages/Docs.ini", "[Guide_WinXP]", "[Spare]\r\nType=1\r\n[Guide_WinXP]",
     "Pages/Docs.ini:11: warning: [Spare] : nothing names this section: the program never reads it\n"},
    {"key the program never reads", "Pages/Docs.ini", "Caption=Manual", "Captoin=Manual",
     "Pages/Docs.ini:8: warning: [Manual] Captoin: the program never reads this key\n"},
    {"key given twice", "Pages/Docs.ini", "Behavior=Open\r\n", "Behavior=Open\r\nCaption=Other\r\n",
     "Pages/Docs.ini:10: warning: [Manual] Caption: again in this section: the program reads only the first, "
     "at "
     "line 8\n"},
};

class CdLintMistake : public testing::TestWithParam<Mistake> {};

TEST_P(CdLintMistake, IsFoundWhereItIsWritten) {
    const Mistake& m = GetParam();
    EXPECT_EQ(Lint(Changed(m.file, m.find, m.with)), m.expected) << m.what;
}

INSTANTIATE_TEST_SUITE_P(EachKind, CdLintMistake, testing::ValuesIn(kMistakes));

TEST(CdLint, CannotLintWithoutRootIni) {
    auto files = ValidCd();
    files.erase("Root.ini");
    TempCd cd(files);
    std::string why;
    EXPECT_FALSE(CdLint(cd.Path()).Run(why));
    EXPECT_EQ(why, "no Root.ini in " + cd.Path());
    EXPECT_FALSE(CdLint(cd.Path() + "/nowhere").Run(why));
    EXPECT_EQ(why, "cannot read the folder " + cd.Path() + "/nowhere");
}

#include "app/ExecBtn.h"
#include "TipTestView.h"
#include "UiTestWindow.h"
#include "win32/FileManip.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {
const char kFileClass[] = "AutorunTest.File";
const char kScheme[] = "autoruntest";

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

void SetDefault(const std::string& key, const std::string& value) {
    HKEY k;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
        0)
        << key;
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(k);
}

std::string GetDefault(const std::string& key) {
    char buf[512] = {};
    LONG size = sizeof buf;
    return RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buf, &size) == 0 ? buf : "";
}

// The test file type, the test address scheme and folders open with the recorder, which logs
// to a file of ours; .pdf opens with nothing. All is put back afterwards.
class Openers : public testing::Test {
  protected:
    void SetUp() override {
        dir = TempFolder() + "exec" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "Docs").c_str(), nullptr);
        log = dir + "open.log";
        SetEnvironmentVariableA("AUTORUN_OPEN_LOG", log.c_str());
        const std::string command = "\"" + ProgramFolder() + "open_recorder.exe\" \"%1\"";
        m_folder = GetDefault("Folder\\shell\\open\\command");
        m_pdf = GetDefault(".pdf");
        SetDefault(".artest", kFileClass);
        SetDefault(std::string(kFileClass) + "\\shell\\open\\command", command);
        SetDefault(kScheme, "URL:Autorun test");
        HKEY k;
        RegOpenKeyExA(HKEY_CLASSES_ROOT, kScheme, 0, KEY_SET_VALUE, &k);
        RegSetValueExA(k, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(k);
        SetDefault(std::string(kScheme) + "\\shell\\open\\command", command);
        SetDefault("Folder\\shell\\open\\command", command);
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".pdf");
        for (const char* name : {"a.artest", "manual.pdf", "manual.PDF", "manual.Pdf", "Docs\\b.artest"})
            WriteText(dir + name, "x");
    }
    void TearDown() override {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, ".artest");
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kFileClass);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kScheme);
        if (m_folder.empty())
            SHDeleteKeyA(HKEY_CLASSES_ROOT, "Folder\\shell\\open");
        else
            SetDefault("Folder\\shell\\open\\command", m_folder);
        if (!m_pdf.empty()) SetDefault(".pdf", m_pdf);
        SetCurrentDirectoryA(ProgramFolder().c_str());
        CFileManip::DeleteFolder(dir.substr(0, dir.size() - 1), TRUE);
    }

    // Clicks a button of `behavior` and `file` as the user would, and returns what was opened
    // after it, once `expected` lines have come or a while has passed.
    std::vector<std::string> Click(const std::string& behavior, const std::string& file, std::size_t expected,
                                   BOOL changeDir = FALSE) {
        CExecBtn btn("caption", behavior, file, TipStyle());
        btn.ChangeCurrDir = changeDir;
        EXPECT_TRUE(btn.Create("caption", RECT{50, 130, 300, 160}, view.m_hWnd, 10));
        DeleteFileA(log.c_str());
        SendMessageA(btn.m_hWnd, BM_CLICK, 0, 0);
        std::vector<std::string> lines;
        for (int i = 0; i < (expected ? 100 : 10); ++i) {
            Pump(100);
            lines = Lines();
            if (expected && lines.size() >= expected) break;
        }
        Pump(300); // nothing more comes
        lines = Lines();
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::vector<std::string> Lines() const {
        std::ifstream in(log);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string Cwd() const {
        char buf[MAX_PATH];
        return std::string(buf, GetCurrentDirectoryA(MAX_PATH, buf));
    }

    TipTestView view{true, true};
    std::string dir, log;

  private:
    std::string m_folder, m_pdf;
};

std::string Q(const std::string& s) {
    return "\"" + s + "\"";
}

// The hand of tests/win/press_ok.cpp, started before a click: it waits for the message box of
// the given text and caption and presses its OK.
class PressOk {
  public:
    PressOk(const std::string& text, const std::string& caption, int seconds) {
        std::string cmd = "\"" + ProgramFolder() + "press_ok.exe\" \"" + text + "\" " +
                          std::to_string(seconds) + " \"" + caption + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        m_started =
            CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
    }
    ~PressOk() {
        if (!m_started) return;
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    // Whether it found and answered the box.
    bool Pressed() {
        if (!m_started) return false;
        DWORD code = 1;
        WaitForSingleObject(m_pi.hProcess, 60000);
        GetExitCodeProcess(m_pi.hProcess, &code);
        return code == 0;
    }

  private:
    PROCESS_INFORMATION m_pi{};
    BOOL m_started;
};
} // namespace

TEST_F(Openers, OpenStartsTheAssociatedProgram) {
    const std::string cwd = Cwd();
    EXPECT_EQ(Click("Open", dir + "a.artest", 1),
              (std::vector<std::string>{cwd + "|" + Q(dir + "a.artest")}));
    EXPECT_EQ(Cwd(), cwd);
}

TEST_F(Openers, OpenChangesTheCurrentFolderWhenAsked) {
    EXPECT_EQ(Click("Open", dir + "Docs\\b.artest", 1, TRUE),
              (std::vector<std::string>{dir + "Docs|" + Q(dir + "Docs\\b.artest")}));
    EXPECT_EQ(Cwd() + "\\", dir + "Docs\\");
}

TEST_F(Openers, ExploreOpensTheFolderAndThenTheFile) {
    auto lines = Click("Explore", dir + "Docs\\b.artest", 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(Q(dir + "Docs\\")), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(Q(dir + "Docs\\b.artest")), std::string::npos) << lines[1];
    // A folder as target opens it twice.
    EXPECT_EQ(Click("Explore", dir + "Docs\\", 2).size(), 2u);
}

TEST_F(Openers, ExploreWithoutAFolderPartOpensOnlyTheFile) {
    SetCurrentDirectoryA(dir.c_str());
    EXPECT_EQ(Click("Explore", "a.artest", 1), (std::vector<std::string>{Cwd() + "|" + Q(dir + "a.artest")}));
}

TEST_F(Openers, LinkOpensTheAddress) {
    auto lines = Click("Link", "autoruntest://board/manual", 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("autoruntest://board/manual"), std::string::npos) << lines[0];
}

TEST_F(Openers, OtherWordsDoNothing) {
    for (const char* word : {"open", "OPEN", "explore", "link", "", "Run"})
        EXPECT_TRUE(Click(word, dir + "a.artest", 0).empty()) << word;
}

TEST_F(Openers, AnOverlongTargetOpensNothingAndKeepsTheFolder) {
    const std::string cwd = Cwd();
    const std::string longFile = dir + std::string(300, 'z') + "\\x.artest";
    EXPECT_TRUE(Click("Open", longFile, 0, TRUE).empty());
    EXPECT_TRUE(Click("Explore", longFile, 0).empty());
    EXPECT_EQ(Cwd(), cwd);
}

TEST_F(Openers, UnopenablePdfAsksForAReader) {
    const char kText[] = "Please install Acrobat Reader first!", kCaption[] = "File Open Error";
    for (const char* name : {"manual.pdf", "manual.PDF"}) {
        PressOk hand(kText, kCaption, 20);
        Click("Open", dir + name, 0);
        EXPECT_TRUE(hand.Pressed()) << name;
    }
    PressOk hand(kText, kCaption, 3);
    Click("Open", dir + "manual.Pdf", 0);
    EXPECT_FALSE(hand.Pressed());
}

TEST(ExecBtn, CreateMakesAWhiteCaptionedVisibleChild) {
    TipTestView view(true, true);
    CExecBtn btn("Manual", "Open", "x", TipStyle());
    ASSERT_TRUE(btn.Create("Manual", RECT{50, 130, 300, 160}, view.m_hWnd, 10));
    EXPECT_TRUE(IsWindowVisible(btn.m_hWnd));
    EXPECT_EQ(GetDlgCtrlID(btn.m_hWnd), 10);
    for (int i : {CBtnST::BTNST_COLOR_FG_IN, CBtnST::BTNST_COLOR_FG_OUT, CBtnST::BTNST_COLOR_FG_FOCUS})
        EXPECT_EQ(btn.m_crColors[i], RGB(255, 255, 255)) << i;
    EXPECT_EQ(btn.Title, "Manual");
    EXPECT_TRUE(btn.Site.empty());
    EXPECT_TRUE(btn.LocalSubfolder.empty());
}

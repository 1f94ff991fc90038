// The live-update lists fetched from vsftpd into the live folder, on a display for the progress
// dialogs; message boxes are answered by the press_ok helper.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <memory>

#include "FtpTestSupport.h"
#include "TipTestView.h"
#include "UiTestWindow.h"
#include "app/LiveUpdateListPage.h"
#include "core/Sha256.h"
#include "core/Token.h"
#include "res/resource.h"
#include "win32/FileManip.h"
#include "win32/LiveFolder.h"
#include "win32/Thread.h"

namespace {
const char kVga[] = "PCI\\VEN_8086&DEV_2562&SUBSYS_80891043&REV_01";
const char kLan[] = "PCI\\VEN_10EC&DEV_8139&SUBSYS_80B31043&REV_10";
const char kNv[] = "PCI\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1";
const char kOther[] = "PCI\\VEN_1106&DEV_3038&SUBSYS_12340000&REV_80";

std::string LiveUpdateIni(INTERNET_PORT port) {
    std::string path = ScratchFolder("liveupdate") + "LiveUpdate.ini";
    std::ofstream(path, std::ios::binary)
        << "[FTP SITE]\r\nIP=127.0.0.1\r\nID=anonymous\r\nPASSWORD=list@example.com\r\n"
        << "PORT=" << port << "\r\nROOT DIR=live/\r\n";
    return path;
}

// Starts the helper that presses OK in the next message box whose text holds `words`.
struct PressOk {
    PROCESS_INFORMATION pi{};
    explicit PressOk(const std::string& words) {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string cmd = std::string(exe);
        cmd = "\"" + cmd.substr(0, cmd.rfind('\\') + 1) + "press_ok.exe\" \"" + words + "\" 60";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    }
    DWORD Pressed() {
        DWORD code = 99;
        WaitForSingleObject(pi.hProcess, 70000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        return code;
    }
};

CDevList Devices(std::initializer_list<const char*> ids) {
    CDevList list;
    for (const char* id : ids)
        list.emplace_back(id, "", "", "", "");
    return list;
}
} // namespace

TEST(LiveUpdateListPage, FetchesTheMapAndTheBoardsDriverList) {
    std::string live = LiveFolderPath();
    ASSERT_FALSE(live.empty());
    struct {
        CDevList devices;
        const char* model;
    } cases[] = {{Devices({kVga, kLan}), "\\brd1"}, {Devices({kLan, kNv, kVga}), "\\brd2"}};
    for (const auto& c : cases) {
        CLiveUpdateListPage page(LiveUpdateIni(EnvPort("FTP_PORT")));
        ASSERT_TRUE(page.LoadLists(c.devices)) << c.model;
        EXPECT_EQ(c.model, page.m_strModel);
        EXPECT_EQ(ReadAll(ServedRoot() + "\\live\\modelmap.ini"), ReadAll(live + "ModelMap.ini"));
        EXPECT_EQ(ReadAll(ServedRoot() + "\\live" + c.model + "\\drivers\\drivers.ini"),
                  ReadAll(live + "Drivers.ini"));
    }
}

TEST(LiveUpdateListPage, ABoardWithoutAModelLooksUnderNull) {
    CLiveUpdateListPage page(LiveUpdateIni(EnvPort("FTP_PORT")));
    PressOk hand("This file doesn't exist.");
    EXPECT_FALSE(page.LoadLists(Devices({kOther, kLan})));
    EXPECT_EQ(0u, hand.Pressed());
    EXPECT_EQ("null", page.m_strModel);
}

namespace {
const int kTabId = 10005; // buttons get ids 50, 51, ...

std::string CaptionOf(const CExecBtn& b) {
    char caption[64] = {};
    GetWindowTextA(b.m_hWnd, caption, sizeof caption);
    return caption;
}

RECT PlaceOf(const CExecBtn& b) {
    RECT r;
    GetWindowRect(b.m_hWnd, &r);
    MapWindowPoints(nullptr, GetParent(b.m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
} // namespace

TEST(LiveUpdateListPage, ButtonsOfTheServersListCarryBothDriversForTheTip) {
    TipTestView view(false, true);
    CDevList devices = Devices({kLan});
    devices.emplace_back(kVga, "6.13.0.1", "2002-01-01", "Old Intel", "");
    CLiveUpdateListPage page(LiveUpdateIni(EnvPort("FTP_PORT")));
    ASSERT_TRUE(page.LoadLists(devices));
    page.BuildPage(view.m_hWnd, kTabId, devices);

    // The LAN driver is listed only for Windows XP; this prefix is another version.
    ASSERT_EQ(1u, page.m_buttons.size());
    const CExecBtn& b = *page.m_buttons[0];
    EXPECT_EQ(50, GetDlgCtrlID(b.m_hWnd));
    EXPECT_EQ("Intel 845G graphics", CaptionOf(b));
    EXPECT_EQ("FTP_FILE", b.Behavior);
    EXPECT_EQ("<Path>\\brd1\\drivers\\vga\\setup.exe", b.File);
    EXPECT_EQ("VEN_8086&DEV_2562&SUBSYS_80891043", b.LocalSubfolder);
    EXPECT_EQ("6.13.0.1|2002-01-01|Old Intel", b.CurrentVer + "|" + b.CurrentDate + "|" + b.CurrentProvider);
    EXPECT_EQ("6.14.10.3865|2004-06-15|Intel|Advance",
              b.Ver + "|" + b.Date + "|" + b.Provider + "|" + b.TipMode);
    EXPECT_EQ("Liveupdate", b.IniType);
    EXPECT_TRUE(IsWindowVisible(b.m_hWnd));
}

TEST(LiveUpdateListPage, ButtonsFollowTheListsOrderAndTheMostSpecificSection) {
    const std::string live = LiveFolderPath();
    const std::string os = CToken().ExpandVariables("<DetectOS>");
    const std::string lang = CToken().ExpandVariables("<Lang>");
    CreateDirectoryA(live.c_str(), nullptr);
    std::ofstream(live + "drivers.ini", std::ios::binary)
        << "[VEN_10EC&DEV_8139]\r\nType=1\r\nCaption=LAN\r\nBehavior=explore\r\nChangeCurrDir=1\r\n"
        << "SHA256.1=" << std::string(64, '0') << " setup/setup.exe\r\n"
        << "Note=plain\r\nNote." << lang << "=localized\r\n"
        << "[VEN_8086&DEV_2562]\r\nType=1\r\nCaption=VGA generic\r\nBehavior=Open\r\n"
        << "[" << kVga << "." << os << "]\r\nType=1\r\nCaption=VGA for this OS\r\nBehavior=Install\r\n"
        << "File=<Path>\\drivers\\x.exe\r\nFile." << lang << "=localized.exe\r\n"
        << "[VEN_10DE&DEV_0110]\r\nCaption=no type\r\n";
    TipTestView view(false, true);
    CDevList devices = Devices({kVga, kNv, kLan});
    CLiveUpdateListPage page;
    page.m_strModel = "\\brd1";
    page.BuildPage(view.m_hWnd, kTabId, devices);

    ASSERT_EQ(2u, page.m_buttons.size());
    const CExecBtn& lan = *page.m_buttons[0];
    const CExecBtn& vga = *page.m_buttons[1];
    EXPECT_EQ("VGA for this OS", CaptionOf(vga));
    EXPECT_EQ("localized.exe", vga.File);
    EXPECT_EQ("", vga.Behavior);
    EXPECT_EQ("FTP_FOLDER", lan.Behavior);
    EXPECT_EQ("localized", lan.Note);
    EXPECT_TRUE(lan.ChangeCurrDir);
    EXPECT_EQ(std::vector<std::string>{"setup/setup.exe"}, lan.Hashes.Unmatched());
    EXPECT_TRUE(vga.Hashes.Empty());
    // Ids follow the devices, places the list.
    EXPECT_EQ(50, GetDlgCtrlID(vga.m_hWnd));
    EXPECT_EQ(51, GetDlgCtrlID(lan.m_hWnd));
    EXPECT_EQ(130, PlaceOf(lan).top);
    EXPECT_EQ(165, PlaceOf(vga).top);
    EXPECT_EQ(250, PlaceOf(vga).right - PlaceOf(vga).left);

    page.HideAll();
    EXPECT_FALSE(IsWindowVisible(lan.m_hWnd) || IsWindowVisible(vga.m_hWnd));
    page.ShowAll();
    EXPECT_TRUE(IsWindowVisible(lan.m_hWnd) && IsWindowVisible(vga.m_hWnd));
}

namespace {
void SetDefault(const std::string& key, const std::string& value) {
    HKEY k;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(k);
}

// Chooses the first mirror as soon as the mirror dialog shows.
void ChooseFirstMirror(CThread& thread) {
    thread.Start([] {
        for (int i = 0; i < 400; ++i, Sleep(25)) {
            HWND dlg = FindWindowA("#32770", nullptr);
            HWND list = dlg ? GetDlgItem(dlg, IDC_MIRRORLIST) : nullptr;
            if (!list || !IsWindowVisible(dlg)) continue;
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_MIRRORLIST, LBN_SELCHANGE), LPARAM(list));
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return;
        }
    });
}
} // namespace

namespace {
std::string Sha256Hex(const std::string& data) {
    CSha256 h;
    h.Add(data.data(), data.size());
    std::string hex;
    for (std::uint8_t b : h.Finish()) {
        char two[3];
        wsprintfA(two, "%02x", b);
        hex += two;
    }
    return hex;
}

CHashList FileHash(const std::string& value) {
    CHashList list;
    list.AddFile(value);
    return list;
}

CHashList FolderHashes(std::initializer_list<std::string> lines) {
    CHashList list;
    for (const std::string& line : lines)
        list.AddEntry(line);
    return list;
}
} // namespace

// What a fetch button opened, through the recorder that stands in for the folder window and
// for the text viewer: what arrived whole and matched its SHA-256 values, and nothing else.
TEST(LiveUpdateListPage, AFetchOpensOnlyWhatArrivedWholeAndMatched) {
    const std::string live = LiveFolderPath();
    CreateDirectoryA(live.c_str(), nullptr);
    std::ofstream(live + "modelmap.ini", std::ios::binary)
        << "[FTP SITE]\r\nFTP Number=1\r\nFTP1=Local\r\n[Local]\r\nIP=127.0.0.1\r\nID=anonymous\r\n"
        << "PASSWORD=m@example.com\r\nPORT=" << EnvPort("FTP_PORT") << "\r\nROOT DIR=LIVE/\r\n";
    const std::string log = ScratchFolder("open") + "open.log";
    SetEnvironmentVariableA("AUTORUN_OPEN_LOG", log.c_str());
    const std::string recorder = "\"" + ProgramFolder() + "open_recorder.exe\" \"%1\"";
    SetDefault(".artxt", "AutorunTest.Live");
    SetDefault("AutorunTest.Live\\shell\\open\\command", recorder);
    char folderCommand[512] = {};
    LONG size = sizeof folderCommand;
    RegQueryValueA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", folderCommand, &size);
    SetDefault("Folder\\shell\\open\\command", recorder);
    std::ofstream(ServedRoot() + "\\live\\brd1\\drivers\\lan\\notes.artxt", std::ios::binary) << "notes";

    TipTestView view(false, true);
    const std::string sub = live + "VEN_10EC&DEV_8139&SUBSYS_80B31043\\";
    const std::string notes = Sha256Hex("notes"),
                      rtl = Sha256Hex(ReadAll(ServedRoot() + "\\live\\brd1\\drivers\\lan\\sub\\rtl.inf"));
    struct {
        const char* behavior;
        const char* file;
        CHashList hashes;
        std::string opened;  // empty: nothing
        const char* arrived; // null: nothing, or nothing left
        const char* box;     // the words of the message the user gets, if any
    } cases[] = {
        {"FTP_FILE", "<Path>\\BRD1\\drivers\\lan\\notes.artxt", FileHash(notes), sub + "notes.artxt",
         "notes.artxt", nullptr},
        {"FTP_FOLDER", "<Path>\\brd1\\drivers\\lan", {}, sub, "sub\\rtl.inf", nullptr},
        {"FTP_FILE", "<Path>\\brd1\\drivers\\none.artxt", {}, "", nullptr, "This file doesn't exist."},
        {"FTP_FOLDER", "<Path>\\brd1\\drivers\\none", {}, "", nullptr, "This folder don't exist."},
        {"FTP_FILE", "<Path>\\brd1\\drivers\\lan\\notes.artxt", FileHash(rtl), "", nullptr,
         "notes.artxt: damaged or altered"},
        {"FTP_FILE", "<Path>\\brd1\\drivers\\lan\\notes.artxt", FileHash(notes.substr(1)), "", nullptr,
         "notes.artxt: damaged or altered"},
        // Every file arrives, but one of them does not match: the folder is not opened.
        {"FTP_FOLDER", "<Path>\\brd1\\drivers\\lan",
         FolderHashes({rtl + "  sub/rtl.inf", notes + "  notes.artxt", notes + "  readme.txt"}), "",
         "sub\\rtl.inf", "readme.txt: damaged or altered"},
    };
    for (const auto& c : cases) {
        CFileManip::DeleteFolder(sub.substr(0, sub.size() - 1), TRUE);
        CExecBtn btn("caption", c.behavior, c.file, TipStyle());
        btn.LocalSubfolder = "VEN_10EC&DEV_8139&SUBSYS_80B31043";
        btn.Hashes = c.hashes;
        ASSERT_TRUE(btn.Create("caption", RECT{50, 130, 300, 160}, view.m_hWnd, 50));
        DeleteFileA(log.c_str());
        CThread hand;
        ChooseFirstMirror(hand);
        std::unique_ptr<PressOk> box(!c.box ? nullptr : new PressOk(c.box));
        SendMessageA(btn.m_hWnd, BM_CLICK, 0, 0);
        hand.Join();
        EXPECT_EQ("Local", btn.Site);
        if (box) {
            EXPECT_EQ(0u, box->Pressed());
        }
        for (int i = 0; i < 50 && !c.opened.empty() && !Exists(log); ++i)
            Pump(100);
        Pump(300);
        std::string opened = ReadAll(log);
        opened = opened.substr(opened.find('|') + 1);
        EXPECT_EQ(c.opened.empty() ? "" : "\"" + c.opened + "\"\n", opened) << c.file;
        if (c.arrived) {
            EXPECT_TRUE(Exists(sub + c.arrived)) << c.arrived;
        }
        if (c.box && strstr(c.box, "notes.artxt: damaged")) {
            EXPECT_FALSE(Exists(sub + "notes.artxt")) << c.box; // deleted
        }
    }
    SHDeleteKeyA(HKEY_CLASSES_ROOT, ".artxt");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "AutorunTest.Live");
    if (*folderCommand)
        SetDefault("Folder\\shell\\open\\command", folderCommand);
    else
        SHDeleteKeyA(HKEY_CLASSES_ROOT, "Folder\\shell\\open");
}

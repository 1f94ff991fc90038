// The live-update lists fetched from vsftpd into the live folder, on a display for the progress
// dialogs; message boxes are answered by the press_ok helper.
#include <gtest/gtest.h>

#include "FtpTestSupport.h"
#include "app/LiveUpdateListPage.h"
#include "win32/LiveFolder.h"

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

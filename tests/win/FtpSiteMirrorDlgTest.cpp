// The mirror dialog on a display: what it lists and what it returns.
#include <gtest/gtest.h>

#include <vector>

#include "FtpTestSupport.h"
#include "app/FtpSiteMirrorDlg.h"
#include "res/resource.h"
#include "win32/Thread.h"

namespace {
std::string WriteModelMap(const std::string& name, const std::string& text) {
    std::string path = ScratchFolder("mirror") + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Acts on the dialog from another thread once it shows: records the list, then runs `act`.
struct Hand {
    std::vector<std::string> items;
    template <class Act> void Run(CThread& thread, Act act) {
        thread.Start([this, act] {
            HWND dlg = nullptr;
            for (int i = 0; i < 200 && !dlg; ++i, Sleep(25)) {
                dlg = FindWindowA("#32770", nullptr);
                DWORD pid = 0;
                if (dlg) GetWindowThreadProcessId(dlg, &pid);
                if (pid != GetCurrentProcessId() || !IsWindowVisible(dlg)) dlg = nullptr;
            }
            if (!dlg) return;
            HWND list = GetDlgItem(dlg, IDC_MIRRORLIST);
            for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
                std::string t(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
                t.resize(static_cast<std::size_t>(
                    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&t[0]))));
                items.push_back(t);
            }
            act(dlg, list);
        });
    }
};

void Choose(HWND dlg, HWND list, const char* name, WORD notification) {
    LRESULT i =
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    SendMessageA(list, LB_SETCURSEL, i, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_MIRRORLIST, notification), reinterpret_cast<LPARAM>(list));
}

const char kThree[] = "[FTP SITE]\r\nFTP Number=3\r\nFTP1=North\r\nFTP2=East\r\nFTP3=West\r\n";
} // namespace

TEST(FtpSiteMirrorDlg, ListsSortedAndADoubleClickChooses) {
    CFtpSiteMirrorDlg dlg(nullptr, WriteModelMap("three.ini", kThree));
    Hand hand;
    CThread t;
    hand.Run(t, [](HWND d, HWND l) { Choose(d, l, "North", LBN_DBLCLK); });
    EXPECT_EQ(IDOK, dlg.DoModal());
    t.Join();
    EXPECT_EQ((std::vector<std::string>{"East", "North", "West"}), hand.items);
    EXPECT_EQ("North", dlg.m_strSite);
}

TEST(FtpSiteMirrorDlg, OkKeepsTheLastSelectionOrNone) {
    struct {
        const char* select; // null: none
        INT_PTR button;
        const char* site;
    } cases[] = {{nullptr, IDOK, ""}, {"West", IDOK, "West"}, {"East", IDCANCEL, "East"}};
    for (const auto& c : cases) {
        CFtpSiteMirrorDlg dlg(nullptr, WriteModelMap("three.ini", kThree));
        Hand hand;
        CThread t;
        hand.Run(t, [&c](HWND d, HWND l) {
            if (c.select) Choose(d, l, c.select, LBN_SELCHANGE);
            PostMessageA(d, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        });
        EXPECT_EQ(c.button, dlg.DoModal());
        t.Join();
        EXPECT_EQ(c.site, dlg.m_strSite);
    }
}

TEST(FtpSiteMirrorDlg, MissingFileGapsAndLongNames) {
    std::string longName(400, 'm');
    struct {
        std::string text;
        std::vector<std::string> items;
    } cases[] = {
        {"", {}},
        {"[FTP SITE]\r\nFTP Number=2\r\nFTP2=Only\r\n", {"", "Only"}},
        {"[FTP SITE]\r\nFTP Number=1\r\nFTP1=" + longName + "\r\n", {longName}},
    };
    for (const auto& c : cases) {
        CFtpSiteMirrorDlg dlg(nullptr, c.text.empty() ? ScratchFolder("mirror") + "missing.ini"
                                                      : WriteModelMap("case.ini", c.text));
        Hand hand;
        CThread t;
        hand.Run(t, [](HWND d, HWND l) {
            if (SendMessageA(l, LB_GETCOUNT, 0, 0) > 0) {
                SendMessageA(l, LB_SETCURSEL, SendMessageA(l, LB_GETCOUNT, 0, 0) - 1, 0);
                SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MIRRORLIST, LBN_DBLCLK),
                             reinterpret_cast<LPARAM>(l));
            } else {
                PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        t.Join();
        EXPECT_EQ(c.items, hand.items);
        EXPECT_EQ(c.items.empty() ? "" : c.items.back(), dlg.m_strSite);
    }
}

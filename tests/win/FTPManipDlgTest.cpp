// CFTPManipDlg under its progress dialog, on a display, against vsftpd and the hostile fake server.
#include <gtest/gtest.h>

#include <vector>

#include "FtpTestSupport.h"
#include "app/FTPManipDlg.h"
#include "core/FtpPath.h"
#include "win32/Thread.h"

namespace {
class TestFtpDlg : public CFTPManipDlg {
  public:
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    using CFTPManipDlg::m_dwTotal;
    using CFTPManipDlg::m_nOperation;
    using CFTPManipDlg::RunOperation;
};

HWND FindProgressDialog(const char* caption) {
    struct Find {
        const char* caption;
        HWND found;
    } f{caption, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char text[64] = "", cls[16] = "";
            GetWindowTextA(w, text, sizeof text);
            GetClassNameA(w, cls, sizeof cls);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || lstrcmpA(cls, "#32770") ||
                lstrcmpA(text, f->caption))
                return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::string ItemText(HWND dlg, int id) {
    char text[512] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

// Watches for the progress dialog from another thread, as a user would look at it.
struct Watcher {
    explicit Watcher(std::string c) : caption(std::move(c)) {}
    std::string caption;
    std::string source, target, rate;
    bool cancelEarly = false;       // press Esc as soon as the dialog shows
    bool cancelOnceStarted = false; // press Cancel once the paths are shown
    bool responsive = true;
    CThread thread;

    void Run() {
        thread.Start([this] {
            HWND dlg = nullptr;
            for (int i = 0; i < 400 && !dlg; ++i, Sleep(25))
                dlg = FindProgressDialog(caption.c_str());
            if (!dlg) return;
            if (cancelEarly) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            while (IsWindow(dlg)) {
                std::string s = ItemText(dlg, 1002);
                std::string t = ItemText(dlg, 1006);
                if (t.size() > 10) target = t;
                if (s.size() > 13) {
                    source = s;
                    if (cancelOnceStarted) {
                        cancelOnceStarted = false;
                        SendMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
                        Sleep(300);
                        DWORD_PTR r;
                        // The dialog waits for the stalled worker but keeps answering.
                        for (int i = 0; i < 3 && IsWindow(dlg); ++i, Sleep(500))
                            responsive = responsive &&
                                         SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r);
                    }
                }
                std::string r = ItemText(dlg, 1005);
                if (r.size() > 15) rate = r;
                Sleep(20);
            }
        });
    }
    void Join() { thread.Join(); }
};

class FtpManipDlg : public ::testing::Test {
  protected:
    void Connect(const char* user, INTERNET_PORT port) {
        ASSERT_TRUE(ftp.Connect("127.0.0.1", user, "test@example.com", port));
        local = ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    TestFtpDlg ftp;
    std::string local;
};
} // namespace

TEST_F(FtpManipDlg, AFileDownloadClosesItsDialogByItselfWhenDone) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    Watcher w("Download File");
    w.Run();
    EXPECT_TRUE(ftp.DownloadFile("\\files\\three.bin", local + "three.bin", 0, TRUE));
    w.Join();
    EXPECT_EQ(3000u, ftp.m_dwTotal);
    EXPECT_EQ(3000u, ftp.m_dwTransferred.load());
    EXPECT_EQ(ReadAll(ServedRoot() + "\\files\\three.bin"), ReadAll(local + "three.bin"));
    EXPECT_EQ("Reading from /files/three.bin", w.source);
    EXPECT_EQ("Saving to " + FtpPath::Normalise(local) + "three.bin", w.target);
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, AMissingFileIsReportedWithoutADialog) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    EXPECT_FALSE(ftp.DownloadFile("/files/none.bin", local + "none.bin", 0, TRUE));
    EXPECT_EQ(std::vector<std::string>{"This file doesn't exist."}, ftp.messages);
    EXPECT_FALSE(ftp.UploadFile(local + "none.bin", "/incoming/none.bin", 0, TRUE));
    EXPECT_EQ(2u, ftp.messages.size());
}

TEST_F(FtpManipDlg, EscWhileTheWorkerWaitsInStartAborts) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    Watcher w("Download File");
    w.cancelEarly = true;
    w.Run();
    EXPECT_FALSE(ftp.DownloadFile("/files/mega.bin", local + "mega.bin", 0, TRUE));
    w.Join();
    EXPECT_EQ(std::vector<std::string>{"Operation aborts"}, ftp.messages);
    EXPECT_EQ(0u, ftp.m_dwTransferred.load());
}

TEST_F(FtpManipDlg, AFolderWhoseTotalIsNeverReachedStillEnds) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    Watcher w("Download Folder");
    w.Run();
    // The counter passes the total without ever equalling it: the ASCII transfers of a.txt and
    // c.txt each add a CR to what the size walk counted.
    EXPECT_TRUE(ftp.DownloadFolder("/tree", local + "tree", 0, TRUE));
    w.Join();
    EXPECT_EQ(6u + 5 + 8 + 5, ftp.m_dwTotal);
    EXPECT_EQ(7u + 5 + 9 + 5, ftp.m_dwTransferred.load());
    EXPECT_EQ("delta", ReadAll(local + "tree\\sub\\deeper\\d.bin"));
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, AMissingFolderIsAFailure) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    EXPECT_FALSE(ftp.DownloadFolder("/nowhere/", local + "nowhere", 0, TRUE));
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, UploadsRunUnderTheirOwnCaption) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    std::ofstream(local + "up.bin", std::ios::binary) << "payload";
    Watcher w("Upload File");
    w.Run();
    EXPECT_TRUE(ftp.UploadFile(local + "up.bin", "/incoming/dlg-up.bin", 0, TRUE));
    w.Join();
    EXPECT_EQ("payload", ReadAll(ServedRoot() + "\\incoming\\dlg-up.bin"));
    EXPECT_EQ("Reading from " + FtpPath::Normalise(local) + "up.bin", w.source);
    EXPECT_TRUE(ftp.UploadFolder(local, "/incoming/dlg-folder", 0, FALSE)); // no dialog
    EXPECT_EQ("payload", ReadAll(ServedRoot() + "\\incoming\\dlg-folder\\up.bin"));
}

TEST_F(FtpManipDlg, AnUnknownOperationTransfersNothing) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    ftp.m_nOperation = 9;
    ftp.RunOperation();
    EXPECT_EQ(std::vector<std::string>{"The Type of operation is not defined"}, ftp.messages);
}

TEST_F(FtpManipDlg, ACutConnectionEndsTheDialogWithAFailure) {
    Connect("cut", EnvPort("FTP_HOSTILE_PORT"));
    EXPECT_FALSE(ftp.DownloadFile("/cut.bin", local + "cut.bin", 0, TRUE));
    EXPECT_FALSE(Exists(local + "cut.bin"));
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, CancelDuringAStalledReadKeepsTheDialogResponsive) {
    Connect("silent", EnvPort("FTP_HOSTILE_PORT"));
    Watcher w("Download File");
    w.cancelOnceStarted = true;
    w.Run();
    EXPECT_FALSE(ftp.DownloadFile("/stall.bin", local + "stall.bin", 0, TRUE));
    w.Join();
    EXPECT_TRUE(w.responsive);
    EXPECT_EQ(std::vector<std::string>{"Operation aborts"}, ftp.messages);
}

TEST_F(FtpManipDlg, AFileLargerThanListedEndsWithSuccess) {
    Connect("bigger", EnvPort("FTP_HOSTILE_PORT"));
    EXPECT_TRUE(ftp.DownloadFile("/big.bin", local + "big.bin", 0, TRUE));
    EXPECT_EQ(100u, ftp.m_dwTotal);
    EXPECT_EQ(5000u, ftp.m_dwTransferred.load());
}

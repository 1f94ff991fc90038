// CFTPManipDlg under its progress dialog, on a display, against vsftpd and the hostile fake server.
#include <gtest/gtest.h>

#include <vector>

#include "FtpDlgTestSupport.h"
#include "core/FtpPath.h"
#include "win32/Thread.h"

namespace {
std::string ItemText(HWND dlg, int id) {
    char text[512] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

// Watches for the progress dialog from another thread, as a user would look at it.
struct Watcher {
    explicit Watcher(std::string c) : caption(std::move(c)) {}
    std::string caption;
    std::string source, target;
    CThread thread;

    void Run() {
        thread.Start([this] {
            HWND dlg = nullptr;
            for (int i = 0; i < 400 && !dlg; ++i, Sleep(25))
                dlg = FindProgressDialog(caption.c_str());
            while (dlg && IsWindow(dlg)) {
                std::string s = ItemText(dlg, 1002);
                std::string t = ItemText(dlg, 1006);
                if (t.size() > 10) target = t;
                if (s.size() > 13) source = s;
                Sleep(20);
            }
        });
    }
    void Join() { thread.Join(); }
};

class FtpManipDlg : public ::testing::Test {
  protected:
    void Connect(const char* user, INTERNET_PORT port) {
        ASSERT_TRUE(ftp.ConnectWithDialog("127.0.0.1", user, "test@example.com", port));
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
    EXPECT_TRUE(
        ftp.DownloadFileWithDialog("\\files\\three.bin", local + "three.bin", FtpTransferType::ByName, TRUE));
    w.Join();
    EXPECT_EQ(3000u, ftp.Session().m_dwTotal.load());
    EXPECT_EQ(3000u, ftp.Session().m_dwTransferred.load());
    EXPECT_EQ(ReadAll(ServedRoot() + "\\files\\three.bin"), ReadAll(local + "three.bin"));
    EXPECT_EQ("Reading from /files/three.bin", w.source);
    EXPECT_EQ("Saving to " + FtpPath::Normalise(local) + "three.bin", w.target);
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, AMissingFileIsReportedWithoutADialog) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    EXPECT_FALSE(
        ftp.DownloadFileWithDialog("/files/none.bin", local + "none.bin", FtpTransferType::ByName, TRUE));
    EXPECT_EQ(std::vector<std::string>{"This file doesn't exist."}, ftp.messages);
    EXPECT_FALSE(
        ftp.UploadFileWithDialog(local + "none.bin", "/incoming/none.bin", FtpTransferType::ByName, TRUE));
    EXPECT_EQ(2u, ftp.messages.size());
}

TEST_F(FtpManipDlg, AFolderWhoseTotalIsNeverReachedStillEnds) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    Watcher w("Download Folder");
    w.Run();
    // The counter passes the total without ever equalling it: the ASCII transfers of a.txt and
    // c.txt each add a CR to what the size walk counted.
    EXPECT_TRUE(ftp.DownloadFolderWithDialog("/tree", local + "tree", FtpTransferType::ByName, TRUE));
    w.Join();
    EXPECT_EQ(6u + 5 + 8 + 5, ftp.Session().m_dwTotal.load());
    EXPECT_EQ(7u + 5 + 9 + 5, ftp.Session().m_dwTransferred.load());
    EXPECT_EQ("delta", ReadAll(local + "tree\\sub\\deeper\\d.bin"));
    EXPECT_TRUE(ftp.messages.empty());
}

TEST_F(FtpManipDlg, AMissingFolderIsAFailure) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    EXPECT_FALSE(ftp.DownloadFolderWithDialog("/nowhere/", local + "nowhere", FtpTransferType::ByName, TRUE));
    EXPECT_EQ(std::vector<std::string>{"This folder don't exist."}, ftp.messages);
}

TEST_F(FtpManipDlg, AFolderWithAFailedFileEndsWithOneMessageNamingIt) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    EXPECT_FALSE(ftp.DownloadFolderWithDialog("/holes", local + "holes", FtpTransferType::ByName, TRUE));
    ASSERT_EQ(1u, ftp.messages.size());
    EXPECT_NE(std::string::npos, ftp.messages[0].find("\r\nmid/locked.bin: the transfer failed"));
    EXPECT_EQ("later", ReadAll(local + "holes\\zlast\\later.bin"));
}

TEST_F(FtpManipDlg, UploadsRunUnderTheirOwnCaption) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    std::ofstream(local + "up.bin", std::ios::binary) << "payload";
    Watcher w("Upload File");
    w.Run();
    EXPECT_TRUE(
        ftp.UploadFileWithDialog(local + "up.bin", "/incoming/dlg-up.bin", FtpTransferType::ByName, TRUE));
    w.Join();
    EXPECT_EQ("payload", ReadAll(ServedRoot() + "\\incoming\\dlg-up.bin"));
    EXPECT_EQ("Reading from " + FtpPath::Normalise(local) + "up.bin", w.source);
    EXPECT_TRUE(ftp.UploadFolderWithDialog(local, "/incoming/dlg-folder", FtpTransferType::ByName,
                                           FALSE)); // no dialog
    EXPECT_EQ("payload", ReadAll(ServedRoot() + "\\incoming\\dlg-folder\\up.bin"));
}

TEST_F(FtpManipDlg, AnUnknownOperationTransfersNothing) {
    Connect("anonymous", EnvPort("FTP_PORT"));
    ftp.m_operation = FtpOperation::None;
    ftp.RunOperation();
    EXPECT_EQ(std::vector<std::string>{"The Type of operation is not defined"}, ftp.messages);
}

TEST_F(FtpManipDlg, ACutConnectionEndsTheDialogWithAFailure) {
    Connect("cut", EnvPort("FTP_HOSTILE_PORT"));
    EXPECT_FALSE(ftp.DownloadFileWithDialog("/cut.bin", local + "cut.bin", FtpTransferType::ByName, TRUE));
    EXPECT_FALSE(Exists(local + "cut.bin"));
    ASSERT_EQ(1u, ftp.messages.size());
    EXPECT_NE(std::string::npos, ftp.messages[0].find("\r\ncut.bin: the transfer failed"));
}

TEST_F(FtpManipDlg, AFileLargerThanListedEndsWithSuccess) {
    Connect("bigger", EnvPort("FTP_HOSTILE_PORT"));
    EXPECT_TRUE(ftp.DownloadFileWithDialog("/big.bin", local + "big.bin", FtpTransferType::ByName, TRUE));
    EXPECT_EQ(100u, ftp.Session().m_dwTotal);
    EXPECT_EQ(5000u, ftp.Session().m_dwTransferred.load());
}

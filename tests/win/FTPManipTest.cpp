// CFTPManip against real servers on 127.0.0.1: vsftpd for the ordinary cases, a
// hostile fake for broken listings and connections (tests/wine/with-ftp.sh
// starts both).
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "FtpTestSupport.h"
#include "win32/FTPManip.h"
#include "win32/Thread.h"

namespace {
class TestFtp : public CFTPManip {
  public:
    using CFTPManip::m_nMaxEntries;
};

class FtpManip : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(0, EnvPort("FTP_PORT")) << "run through tests/wine/with-ftp.sh";
        ASSERT_TRUE(ftp.Connect("127.0.0.1", "anonymous", "test@example.com", EnvPort("FTP_PORT")));
        local = ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string Served(const std::string& path) { return ReadAll(ServedRoot() + "\\" + path); }

    TestFtp ftp;
    std::string local;
    std::atomic<int> abort{0};
};
} // namespace

TEST_F(FtpManip, DownloadsWholeFilesOfEverySize) {
    for (const char* name : {"three.bin", "empty.bin", "two.bin", "mega.bin"}) {
        ftp.m_dwTransferred = 0;
        std::string served = Served(std::string("files\\") + name);
        EXPECT_TRUE(ftp.DownloadFile(std::string("/files/") + name, local + name, &abort)) << name;
        EXPECT_EQ(served, ReadAll(local + name)) << name;
        EXPECT_EQ(served.size(), ftp.m_dwTransferred.load()) << name;
    }
    EXPECT_EQ(1024u * 1024, ReadAll(local + "mega.bin").size());

    ftp.m_dwTransferred = 0;
    ASSERT_TRUE(ftp.DownloadFile("/big/64mb.bin", local + "64mb.bin", &abort));
    EXPECT_EQ(64u << 20, ftp.m_dwTransferred.load());
    EXPECT_TRUE(Served("big\\64mb.bin") == ReadAll(local + "64mb.bin")); // byte for byte
}

TEST_F(FtpManip, TransferTypeFollowsTheNameUnlessFixed) {
    ASSERT_TRUE(ftp.DownloadFile("\\files\\notes.txt", local + "notes.txt", &abort));
    EXPECT_EQ("line one\r\nline two\r\n", ReadAll(local + "notes.txt"));
    ASSERT_TRUE(ftp.DownloadFile("/files/notes.dat", local + "notes.dat", &abort));
    EXPECT_EQ("line one\nline two\n", ReadAll(local + "notes.dat"));

    ftp.SetTransferType(FtpTransferType::Ascii);
    ASSERT_TRUE(ftp.DownloadFile("/files/notes.dat", local + "ascii.dat", &abort));
    EXPECT_EQ("line one\r\nline two\r\n", ReadAll(local + "ascii.dat"));
    ftp.SetTransferType(FtpTransferType::Binary);
    ASSERT_TRUE(ftp.DownloadFile("/files/notes.txt", local + "binary.txt", &abort));
    EXPECT_EQ("line one\nline two\n", ReadAll(local + "binary.txt"));
}

TEST_F(FtpManip, MissingRemoteFileLeavesTheLocalSideAlone) {
    std::ofstream(local + "keep.bin") << "mine";
    EXPECT_FALSE(ftp.DownloadFile("/files/nothing.bin", local + "keep.bin", &abort));
    EXPECT_EQ("mine", ReadAll(local + "keep.bin"));
    EXPECT_FALSE(ftp.DownloadFile("/files/nothing.bin", local + "new.bin", &abort));
    EXPECT_FALSE(Exists(local + "new.bin"));
    EXPECT_NE(std::string::npos, ftp.m_report.Message().find("\r\nnothing.bin: the transfer failed"));
}

TEST_F(FtpManip, AbortFlagStopsOnlyAtOne) {
    abort = 2;
    EXPECT_TRUE(ftp.DownloadFile("/files/three.bin", local + "two.bin", &abort));
    EXPECT_EQ(3000u, ReadAll(local + "two.bin").size());
    abort = 1;
    EXPECT_FALSE(ftp.DownloadFile("/files/three.bin", local + "one.bin", &abort));
    EXPECT_EQ(0u, ReadAll(local + "one.bin").size());
}

// Early in the file the blocks are small, later they have grown to the largest size: either way
// no byte moves later than 100 ms after the flag turns 1, and the transfer keeps what it wrote.
// Ending the data connection then waits for the server's answer, a round trip that a busy machine
// stretches, so the return itself has a second.
TEST_F(FtpManip, CancelTakesEffectWithin100msWhateverTheBlockSize) {
    for (std::uint32_t at : {4096u, 8u << 20, 48u << 20}) {
        ftp.m_dwTransferred = 0;
        abort = 0;
        std::atomic<bool> returned{false};
        DWORD cancelled = 0, lastMove = 0;
        CThread canceller;
        canceller.Start([&] {
            while (ftp.m_dwTransferred.load() < at)
                Sleep(1);
            cancelled = lastMove = GetTickCount();
            abort = 1;
            for (std::uint32_t seen = ftp.m_dwTransferred.load(); !returned; Sleep(1))
                if (ftp.m_dwTransferred.load() != seen) {
                    seen = ftp.m_dwTransferred.load();
                    lastMove = GetTickCount();
                }
        });
        EXPECT_FALSE(ftp.DownloadFile("/big/64mb.bin", local + "cut.bin", &abort)) << at;
        const DWORD now = GetTickCount();
        returned = true;
        canceller.Join();
        EXPECT_LT(lastMove - cancelled, 100u) << at;
        EXPECT_LT(now - cancelled, 1000u) << at;
        EXPECT_EQ(ftp.m_dwTransferred.load(), ReadAll(local + "cut.bin").size()) << at;
    }
}

TEST_F(FtpManip, RemoteDirectoryEndsWithSlash) {
    EXPECT_EQ("//", ftp.GetRemoteDirectory());
    ftp.SetRemoteDirectory("\\files");
    EXPECT_EQ("/files/", ftp.GetRemoteDirectory());
}

TEST_F(FtpManip, FolderDownloadCopiesTheTree) {
    std::string dest = local + "a\\b";
    ASSERT_TRUE(ftp.DownloadFolder("/tree", dest, &abort));
    EXPECT_EQ("alpha\r\n", ReadAll(dest + "\\a.txt"));
    EXPECT_EQ("bravo", ReadAll(dest + "\\b.bin"));
    EXPECT_EQ("charlie\r\n", ReadAll(dest + "\\sub\\c.txt"));
    EXPECT_EQ("delta", ReadAll(dest + "\\sub\\deeper\\d.bin"));
    EXPECT_TRUE(Exists(dest + "\\empty"));
    EXPECT_EQ(7u + 5 + 9 + 5, ftp.m_dwTransferred.load()); // a.txt gains a CR
}

TEST_F(FtpManip, AFileThatFailsDoesNotStopTheFolder) {
    EXPECT_FALSE(ftp.DownloadFolder("/holes", local + "holes", &abort));
    EXPECT_EQ("first", ReadAll(local + "holes\\first.bin"));
    EXPECT_EQ("after", ReadAll(local + "holes\\mid\\after.bin"));
    EXPECT_EQ("later", ReadAll(local + "holes\\zlast\\later.bin"));
    EXPECT_FALSE(Exists(local + "holes\\mid\\locked.bin"));
    EXPECT_EQ(1u, ftp.m_report.FailedCount());
    EXPECT_NE(std::string::npos, ftp.m_report.Message().find("\r\nmid/locked.bin: the transfer failed"));
}

TEST_F(FtpManip, FolderDownloadReportsAMissingFolder) {
    EXPECT_FALSE(ftp.DownloadFolder("/no/such/folder/", local + "x", &abort));
    abort = 1;
    EXPECT_FALSE(ftp.DownloadFolder("/tree/", local + "y", &abort));
    EXPECT_FALSE(Exists(local + "y\\a.txt"));
}

TEST_F(FtpManip, UploadsFilesAndFoldersAndDeletesThem) {
    std::string src = local + "up\\";
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA((src + "inner").c_str(), nullptr);
    std::ofstream(src + "one.txt", std::ios::binary) << "one\r\n";
    std::ofstream(src + "inner\\two.bin", std::ios::binary) << "two";
    ASSERT_TRUE(ftp.UploadFile(src + "one.txt", "/incoming/single.txt", &abort));
    EXPECT_EQ("one\n", Served("incoming\\single.txt")); // ASCII by name
    ASSERT_TRUE(ftp.UploadFolder(src, "/incoming/x/y", &abort));
    EXPECT_EQ("two", Served("incoming\\x\\y\\inner\\two.bin"));
    EXPECT_EQ(5u + 5 + 3, ftp.m_dwTransferred.load());

    ftp.DeleteRemoteFolder("/incoming/x");
    EXPECT_FALSE(Exists(ServedRoot() + "\\incoming\\x"));
    ftp.DeleteRemoteFile("/incoming/single.txt");
    EXPECT_FALSE(Exists(ServedRoot() + "\\incoming\\single.txt"));

    EXPECT_FALSE(ftp.UploadFolder(src, "/files/readonly", &abort));
    EXPECT_EQ("This folder don't exist.", ftp.m_report.Message());
    EXPECT_FALSE(ftp.UploadFile(src + "missing.txt", "/incoming/missing.txt", &abort));
}

TEST(FtpConnect, FailuresGiveThePlatformError) {
    struct {
        const char* what;
        INTERNET_PORT port;
        const char* password;
    } cases[] = {
        {"nothing listens", EnvPort("FTP_DEAD_PORT"), "test@example.com"},
        {"wrong password", EnvPort("FTP_PORT"), "wrong@pass"},
    };
    for (const auto& c : cases) {
        TestFtp ftp;
        EXPECT_FALSE(ftp.Connect("127.0.0.1", "anonymous", c.password, c.port)) << c.what;
        EXPECT_FALSE(ftp.ErrorText().empty()) << c.what;
        // The session is gone: a second attempt fails without touching the network.
        EXPECT_FALSE(ftp.Connect("127.0.0.1", "anonymous", "test@example.com", EnvPort("FTP_PORT")))
            << c.what;
    }
}

// Wine ignores the connect timeout for FTP and waits 60 seconds for the
// greeting.
TEST(FtpConnect, AServerThatNeverGreetsGivesUp) {
    TestFtp ftp;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ftp.Connect("127.0.0.1", "anonymous", "x@y", EnvPort("FTP_MUTE_PORT")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    EXPECT_FALSE(ftp.ErrorText().empty());
}

namespace {
class HostileFtp : public ::testing::Test {
  protected:
    void Login(const char* user) {
        ASSERT_TRUE(ftp.Connect("127.0.0.1", user, "x", EnvPort("FTP_HOSTILE_PORT")));
        local = ScratchFolder(std::string("hostile-") + user);
    }
    TestFtp ftp;
    std::string local;
    std::atomic<int> abort{0};
};
} // namespace

TEST_F(HostileFtp, ListingNamesCannotLeaveTheLocalFolder) {
    Login("listing");
    std::string dest = local + "in\\";
    EXPECT_FALSE(ftp.DownloadFolder("/", dest, &abort)); // refused names count as not transferred
    EXPECT_EQ("hello", ReadAll(dest + "good.txt"));
    for (const char* escaped : {"evil.txt", "evil2.txt", "up", "in\\..\\evil.txt"})
        EXPECT_FALSE(Exists(local + escaped)) << escaped;
    EXPECT_FALSE(Exists("C:\\evil.txt"));
    EXPECT_FALSE(Exists("C:\\etc\\evil.txt"));
}

TEST_F(HostileFtp, FoldersNestingWithoutEndStopAtTheLocalPathLimit) {
    Login("deep");
    EXPECT_FALSE(ftp.DownloadFolder("/", local + "deep\\", &abort));
    EXPECT_TRUE(Exists(local + "deep\\sub\\sub\\sub"));
}

// Two folders in every folder, without end: the walk ends at its entry limit, long before the
// local path would end it. Wine reads a listing at about 2 KB/s, so the limit is lowered here; the
// unit test walks the same tree to the real one.
TEST_F(HostileFtp, ATreeTwoWideWithoutEndStopsAtTheEntryLimit) {
    Login("wide");
    ftp.m_nMaxEntries = 200;
    EXPECT_FALSE(ftp.DownloadFolder("/", local + "wide\\", &abort));
    EXPECT_EQ(CTransferReport::Stop::TooMany, ftp.m_report.m_stop);
    EXPECT_FALSE(Exists(local + "wide\\a")); // nothing is made of a walk that did not end
}

TEST_F(HostileFtp, AFileLargerThanListedIsFetchedWhole) {
    Login("bigger");
    EXPECT_TRUE(ftp.DownloadFile("/big.bin", local + "big.bin", &abort));
    EXPECT_EQ(5000u, ReadAll(local + "big.bin").size());
    EXPECT_EQ(5000u, ftp.m_dwTransferred.load());
}

TEST_F(HostileFtp, ACutConnectionFailsAndRemovesThePartialFile) {
    Login("cut");
    EXPECT_FALSE(ftp.DownloadFile("/cut.bin", local + "cut.bin", &abort));
    EXPECT_FALSE(Exists(local + "cut.bin"));
}

// The server sends 64 KB and then nothing, for as long as the client stays. Wine's WinINet keeps
// no time limit on FTP data reads, and closing the handle does not end them: the transfer leaves
// the read behind.
TEST_F(HostileFtp, AnAbortDuringAStalledReadEndsTheTransferAtOnce) {
    Login("stall");
    std::atomic<DWORD> cancelled{0};
    CThread canceller;
    canceller.Start([&] {
        while (ftp.m_dwTransferred.load() < 65536)
            Sleep(1);
        Sleep(300);
        cancelled = GetTickCount();
        abort = 1;
    });
    EXPECT_FALSE(ftp.DownloadFile("/halt.bin", local + "halt.bin", &abort));
    EXPECT_LT(GetTickCount() - cancelled, 100u);
    canceller.Join();
    EXPECT_EQ(65536u, ReadAll(local + "halt.bin").size());
}

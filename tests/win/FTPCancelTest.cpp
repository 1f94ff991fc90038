// Cancelling a CFTPManipDlg transfer while its worker is held, on a display whose windows go at once
// (as on a desktop): the operation must wait for the worker however fast the window goes.
#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>
#include <new>

#include "FtpDlgTestSupport.h"
#include "win32/Thread.h"

namespace {
// The transfer's worker: the one thread of this process at the lowest priority.
HANDLE OpenWorker() {
    CHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    for (BOOL more = Thread32First(snapshot.Get(), &t); more; more = Thread32Next(snapshot.Get(), &t)) {
        if (t.th32OwnerProcessID != GetCurrentProcessId()) continue;
        HANDLE h = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, t.th32ThreadID);
        if (h && GetThreadPriority(h) == THREAD_PRIORITY_LOWEST) return h;
        if (h) CloseHandle(h);
    }
    return nullptr;
}
} // namespace

// Esc, the close box and the Cancel button, 30 presses in a row, while the worker waits in Start and
// while a server that has stopped answering holds it inside a block: the window goes within a
// second, and the operation returns only after its worker has ended, whose last write therefore
// lands in the object while it still lives.
TEST(FtpManipDlgCancel, ThirtyPressesEndTheOperationOnlyAfterItsWorker) {
    struct {
        const char* user;
        INTERNET_PORT port;
        const char* remote;
        std::uint32_t before; // bytes to wait for before pressing
    } cases[] = {{"anonymous", EnvPort("FTP_PORT"), "/files/mega.bin", 0},
                 {"stall", EnvPort("FTP_HOSTILE_PORT"), "/halt.bin", 65536}};
    for (const auto& c : cases) {
        alignas(TestFtpDlg) unsigned char memory[sizeof(TestFtpDlg)];
        auto* ftp = new (memory) TestFtpDlg;
        ASSERT_TRUE(ftp->ConnectWithDialog("127.0.0.1", c.user, "x@y", c.port)) << c.user;
        CHandle worker;
        DWORD pressed = 0, gone = 0;
        CThread hand;
        hand.Start([&] {
            HWND dlg = nullptr;
            for (int i = 0; i < 400 && !dlg; ++i, Sleep(25))
                dlg = FindProgressDialog("Download File");
            while (dlg && ftp->Session().m_dwTransferred.load() < c.before)
                Sleep(5);
            worker.Reset(OpenWorker());
            pressed = GetTickCount();
            for (int i = 0; i < 30; ++i)
                if (i % 3 == 0)
                    PostMessageA(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
                else if (i % 3 == 1)
                    PostMessageA(dlg, WM_KEYDOWN, VK_ESCAPE, 0);
                else
                    PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
            while (IsWindow(dlg) && IsWindowVisible(dlg))
                Sleep(5);
            gone = GetTickCount();
        });
        EXPECT_FALSE(ftp->DownloadFileWithDialog(c.remote, ScratchFolder("presses") + "x.bin",
                                                 FtpTransferType::ByName, TRUE))
            << c.user;
        ASSERT_TRUE(worker) << c.user;
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker.Get(), 0)) << c.user << ": the worker still runs";
        hand.Join();
        EXPECT_LT(gone - pressed, 1000u) << c.user;
        EXPECT_EQ(std::vector<std::string>{"Operation aborts"}, ftp->messages) << c.user;
        ftp->~TestFtpDlg();
        std::fill(std::begin(memory), std::end(memory), 0xA5);
        Sleep(500);
        EXPECT_TRUE(
            std::all_of(std::begin(memory), std::end(memory), [](unsigned char b) { return b == 0xA5; }))
            << c.user << ": written after the operation returned";
    }
}

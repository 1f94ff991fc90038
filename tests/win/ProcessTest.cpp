#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win32/Process.h"

namespace {
struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> lines; // for UPM_LINE, what the run had waiting
    DWORD tick;
};

std::vector<Message> g_messages;
CProcess* g_process = nullptr; // the run whose lines UPM_LINE announces

LRESULT CALLBACK Collect(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UPM_LINE || msg == UPM_FINISHED) {
        Message m{msg, wParam, lParam, {}, GetTickCount()};
        if (msg == UPM_LINE && g_process) m.lines = g_process->TakeLines();
        g_messages.push_back(m);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string ChildPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.rfind('\\') + 1) + "process_child.exe";
}

class ProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        g_messages.clear();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Collect;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ProcessTestSink";
        RegisterClassA(&wc);
        m_hwnd =
            CreateWindowA("ProcessTestSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_hwnd);
    }
    void TearDown() override {
        g_process = nullptr;
        DestroyWindow(m_hwnd);
    }

    // Runs the child with `args` and collects messages until UPM_FINISHED (or a generous timeout).
    BOOL RunChild(const std::string& args, const std::string& dir = "", LPARAM cookie = 7) {
        m_process = std::make_unique<CProcess>("\"" + ChildPath() + "\" " + args, m_hwnd, cookie);
        g_process = m_process.get();
        if (!dir.empty()) m_process->SetDirectory(dir);
        m_startTick = GetTickCount();
        BOOL ok = m_process->Run();
        Pump();
        return ok;
    }
    void Pump() {
        const DWORD until = GetTickCount() + 20000;
        while (!Finished() && GetTickCount() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
    }
    bool Finished() const { return !g_messages.empty() && g_messages.back().msg == UPM_FINISHED; }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const Message& m : g_messages)
            lines.insert(lines.end(), m.lines.begin(), m.lines.end());
        return lines;
    }
    // The run's messages in order: lines, finished; each with the cookie.
    void ExpectWellFormedRun(WPARAM finished) {
        ASSERT_GE(g_messages.size(), 1u);
        for (std::size_t i = 0; i + 1 < g_messages.size(); ++i) {
            EXPECT_EQ(UPM_LINE, g_messages[i].msg);
            EXPECT_EQ(0u, g_messages[i].wParam);
        }
        EXPECT_EQ(UPM_FINISHED, g_messages.back().msg);
        EXPECT_EQ(finished, g_messages.back().wParam);
        for (const Message& m : g_messages)
            EXPECT_EQ(7, m.lParam);
    }

    HWND m_hwnd = nullptr;
    DWORD m_startTick = 0;
    std::unique_ptr<CProcess> m_process;
};

TEST_F(ProcessTest, LinesWithAndWithoutLineEndArriveBareThenTheEndAfterASecond) {
    ASSERT_TRUE(RunChild("lines"));
    ExpectWellFormedRun(0);
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), Lines());
    // The end is posted a second after the output ended, which is after the last line.
    EXPECT_GE(g_messages.back().tick - g_messages[g_messages.size() - 2].tick, 900u);
}

TEST_F(ProcessTest, StandardErrorSharesThePipe) {
    ASSERT_TRUE(RunChild("stderr"));
    ExpectWellFormedRun(0);
    EXPECT_EQ((std::vector<std::string>{"out", "err"}), Lines());
}

TEST_F(ProcessTest, ANonZeroExitCodeIsStillANormalEnd) {
    ASSERT_TRUE(RunChild("exit"));
    ExpectWellFormedRun(0);
    EXPECT_EQ((std::vector<std::string>{"failing"}), Lines());
    DWORD code = 0;
    for (int i = 0; i < 50 && !m_process->ExitCode(code); ++i)
        Sleep(100);
    EXPECT_EQ(3u, code);
}

TEST_F(ProcessTest, SilentChildGivesOnlyTheEnd) {
    ASSERT_TRUE(RunChild("silent"));
    ExpectWellFormedRun(0);
    EXPECT_EQ(1u, g_messages.size());
}

TEST_F(ProcessTest, CarriageReturnEndingAChunkStaysInTheLine) {
    ASSERT_TRUE(RunChild("split"));
    ExpectWellFormedRun(0);
    EXPECT_EQ((std::vector<std::string>{std::string(1023, 'x') + "\r", "next"}), Lines());
}

TEST_F(ProcessTest, TheEndWaitsForAGrandchildHoldingThePipe) {
    ASSERT_TRUE(RunChild("parent"));
    ExpectWellFormedRun(0);
    EXPECT_EQ((std::vector<std::string>{"parent", "grandchild"}), Lines());
    EXPECT_GE(g_messages.back().tick - m_startTick, 2900u);
}

TEST_F(ProcessTest, StartsInTheGivenDirectory) {
    char windir[MAX_PATH];
    GetWindowsDirectoryA(windir, MAX_PATH);
    ASSERT_TRUE(RunChild("cwd", windir));
    ExpectWellFormedRun(0);
    ASSERT_EQ(1u, Lines().size());
    EXPECT_EQ(0, lstrcmpiA(windir, Lines()[0].c_str()));
}

TEST_F(ProcessTest, AChildThatCannotStartFailsWithOneEndMessageCarryingTheError) {
    const std::string cases[][2] = {
        {"C:\\no\\such\\setup.exe -s", ""},
        {"\"" + ChildPath() + "\" lines", "C:\\no\\such\\folder\\"},
    };
    for (const auto& c : cases) {
        g_messages.clear();
        CProcess p(c[0], m_hwnd, 9);
        p.SetDirectory(c[1]);
        EXPECT_FALSE(p.Run()) << c[0];
        const DWORD error = GetLastError();
        EXPECT_NE(0u, error);
        Pump();
        ASSERT_EQ(1u, g_messages.size()) << c[0];
        EXPECT_EQ(UPM_FINISHED, g_messages[0].msg);
        EXPECT_EQ(static_cast<WPARAM>(error), g_messages[0].wParam);
        EXPECT_EQ(9, g_messages[0].lParam);
    }
}
} // namespace

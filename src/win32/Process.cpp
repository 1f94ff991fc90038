#include "win32/Process.h"

#include "core/LineSplitter.h"
#include "win32/Thread.h"

const UINT UPM_LINE = RegisterWindowMessageA("UPM_LINE-{D741F7E1-9F58-11d5-A043-006067718D04}");
const UINT UPM_FINISHED = RegisterWindowMessageA("UPM_FINISHED-{D741F7E0-9F58-11d5-A043-006067718D04}");

namespace {
const DWORD kChunk = 1024;
const DWORD kFinishDelayMs = 1000;
} // namespace

// The pipe's reading end and the lines read but not yet taken: the reader and the object each hold
// it, and the last to let go closes the pipe.
struct CProcess::Output {
    void Add(std::vector<std::string>& lines) {
        {
            const CCriticalSection::Hold hold(lock);
            for (std::string& line : lines)
                waiting.push_back(std::move(line));
        }
        lines.clear();
    }
    std::vector<std::string> Take() {
        const CCriticalSection::Hold hold(lock);
        std::vector<std::string> lines = std::move(waiting);
        waiting.clear();
        return lines;
    }

    CHandle pipe;
    CCriticalSection lock;
    std::vector<std::string> waiting;
};

namespace {
// The reader's whole life: every line as it completes, then the end.
void ReadOutput(CProcess::Output& out, HWND target, LPARAM cookie) {
    CLineSplitter splitter;
    std::vector<std::string> lines;
    char chunk[kChunk];
    DWORD got = 0, error = 0;
    for (;;) {
        if (!ReadFile(out.pipe.Get(), chunk, kChunk, &got, nullptr)) {
            error = GetLastError();
            break;
        }
        if (got == 0) break;
        splitter.Feed(chunk, got, lines);
        if (lines.empty()) continue;
        out.Add(lines);
        PostMessageA(target, UPM_LINE, 0, cookie);
    }
    std::string rest;
    if (splitter.Finish(rest)) {
        lines.push_back(std::move(rest));
        out.Add(lines);
        PostMessageA(target, UPM_LINE, 0, cookie);
    }
    Sleep(kFinishDelayMs);
    PostMessageA(target, UPM_FINISHED, error == ERROR_BROKEN_PIPE ? 0 : error, cookie);
}
} // namespace

CProcess::CProcess(std::string command, HWND target, LPARAM cookie)
    : m_strCommand(std::move(command)), m_hTarget(target), m_lCookie(cookie) {}

// Every failure ends the run with UPM_FINISHED, so the receiver never waits for an end that
// cannot come.
BOOL CProcess::Fail(DWORD error) const {
    PostMessageA(m_hTarget, UPM_FINISHED, error, m_lCookie);
    SetLastError(error);
    return FALSE;
}

BOOL CProcess::Run() {
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    auto out = std::make_shared<Output>();
    CHandle write, errWrite;
    if (!CreatePipe(out->pipe.Receive(), write.Receive(), &sa, 0)) return Fail(GetLastError());
    HANDLE self = GetCurrentProcess();
    if (!DuplicateHandle(self, write.Get(), self, errWrite.Receive(), 0, TRUE, DUPLICATE_SAME_ACCESS))
        return Fail(GetLastError());

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    si.hStdOutput = write.Get();
    si.hStdError = errWrite.Get();
    PROCESS_INFORMATION pi = {};
    std::vector<char> command(m_strCommand.begin(), m_strCommand.end());
    command.push_back('\0');
    const char* directory = m_strDirectory.empty() ? nullptr : m_strDirectory.c_str();
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, directory, &si, &pi);
    const DWORD error = GetLastError();
    // From here only the child and what it starts hold the writing side, so the pipe breaks when
    // the last of them is done.
    write.Reset();
    errWrite.Reset();
    if (!started) return Fail(error);

    const CHandle thread(pi.hThread);
    m_hProcess.Reset(pi.hProcess);
    CThread reader;
    const HWND target = m_hTarget;
    const LPARAM cookie = m_lCookie;
    if (!reader.Start([out, target, cookie] { ReadOutput(*out, target, cookie); }))
        return Fail(GetLastError());
    reader.Detach();
    m_pOutput = std::move(out);
    return TRUE;
}

std::vector<std::string> CProcess::TakeLines() {
    return m_pOutput ? m_pOutput->Take() : std::vector<std::string>();
}

bool CProcess::ExitCode(DWORD& code) const {
    return m_hProcess && GetExitCodeProcess(m_hProcess.Get(), &code) && code != STILL_ACTIVE;
}

#include "win32/Process.h"
#include "win32/Thread.h"

#include <utility>
#include <vector>

#include "core/LineSplitter.h"

const UINT UPM_PROCESS_HANDLE =
    RegisterWindowMessageA("UPM_PROCESS_HANDLE-{D741F7E2-9F58-11d5-A043-006067718D04}");
const UINT UPM_LINE = RegisterWindowMessageA("UPM_LINE-{D741F7E1-9F58-11d5-A043-006067718D04}");
const UINT UPM_FINISHED = RegisterWindowMessageA("UPM_FINISHED-{D741F7E0-9F58-11d5-A043-006067718D04}");

namespace {
const DWORD kChunk = 1024;
const DWORD kFinishDelayMs = 1000;

void CloseIf(HANDLE& h) {
    if (h) CloseHandle(h);
    h = nullptr;
}
} // namespace

CProcess::CProcess(std::string command, HWND target, LPARAM cookie)
    : m_strCommand(std::move(command)), m_hTarget(target), m_lCookie(cookie) {}

CProcess::~CProcess() {
    CloseIf(m_hRead);
}

// Every failure ends the run with UPM_FINISHED, so the receiver never waits for an end that
// cannot come.
BOOL CProcess::Fail(DWORD error) {
    PostMessageA(m_hTarget, UPM_FINISHED, error, m_lCookie);
    delete this;
    SetLastError(error);
    return FALSE;
}

BOOL CProcess::Run() {
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE write = nullptr, errWrite = nullptr;
    if (!CreatePipe(&m_hRead, &write, &sa, 0)) return Fail(GetLastError());
    HANDLE self = GetCurrentProcess();
    if (!DuplicateHandle(self, write, self, &errWrite, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
        DWORD error = GetLastError();
        CloseIf(write);
        return Fail(error);
    }

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    si.hStdOutput = write;
    si.hStdError = errWrite;
    PROCESS_INFORMATION pi = {};
    std::vector<char> command(m_strCommand.begin(), m_strCommand.end());
    command.push_back('\0');
    const char* directory = m_strDirectory.empty() ? nullptr : m_strDirectory.c_str();
    BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, directory, &si, &pi);
    DWORD error = GetLastError();
    // From here only the child and what it starts hold the writing side, so the pipe breaks when
    // the last of them is done.
    CloseIf(write);
    CloseIf(errWrite);
    if (!started) return Fail(error);

    CloseHandle(pi.hThread);
    PostMessageA(m_hTarget, UPM_PROCESS_HANDLE, reinterpret_cast<WPARAM>(pi.hProcess), m_lCookie);
    CThread reader;
    if (!reader.Start([this] { ReadOutput(); })) return Fail(GetLastError());
    reader.Detach();
    return TRUE;
}

void CProcess::ReadOutput() {
    CLineSplitter splitter;
    std::vector<std::string> lines;
    char chunk[kChunk];
    DWORD got = 0, error = 0;
    for (;;) {
        if (!ReadFile(m_hRead, chunk, kChunk, &got, nullptr)) {
            error = GetLastError();
            break;
        }
        if (got == 0) break;
        splitter.Feed(chunk, got, lines);
        for (std::string& line : lines)
            PostLine(std::move(line));
        lines.clear();
    }
    CloseIf(m_hRead);
    std::string rest;
    if (splitter.Finish(rest)) PostLine(std::move(rest));
    Sleep(kFinishDelayMs);
    PostMessageA(m_hTarget, UPM_FINISHED, error == ERROR_BROKEN_PIPE ? 0 : error, m_lCookie);
    delete this;
}

void CProcess::PostLine(std::string line) const {
    auto* text = new std::string(std::move(line));
    if (!PostMessageA(m_hTarget, UPM_LINE, reinterpret_cast<WPARAM>(text), m_lCookie)) delete text;
}

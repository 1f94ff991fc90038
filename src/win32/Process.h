#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "win32/Scoped.h"

// The two messages a child process run reports by (posted, never sent; lParam is the cookie). Neither
// carries anything the receiver must free, so a message that reaches no window loses nothing:
// UPM_LINE      wParam 0: output lines are waiting in TakeLines
// UPM_FINISHED  wParam: 0 when the output ended normally, else a Win32 error code
extern const UINT UPM_LINE;
extern const UINT UPM_FINISHED;

// Runs one child process with its standard output and error on a pipe that a reader thread reads.
// The object keeps the child's process handle; the reader shares only the pipe and the waiting lines,
// so this object may go at any time and the reader ends when the child and whatever it started have
// closed their side of the pipe.
class CProcess {
  public:
    CProcess(std::string command, HWND target, LPARAM cookie);
    void SetDirectory(std::string directory) { m_strDirectory = std::move(directory); }
    // TRUE when the child and the reader run. On FALSE the last error says why and UPM_FINISHED
    // carries the same error.
    BOOL Run();
    // The output lines that arrived since the last call, in order, without their line ends.
    std::vector<std::string> TakeLines();
    // The child's exit code; false while it runs or when it never started.
    bool ExitCode(DWORD& code) const;

    struct Output; // what the reader shares with this object

  private:
    BOOL Fail(DWORD error) const;

    std::string m_strCommand;
    std::string m_strDirectory;
    HWND m_hTarget;
    LPARAM m_lCookie;
    std::shared_ptr<Output> m_pOutput;
    CHandle m_hProcess;
};

#pragma once
#include <windows.h>

#include <string>
#include <utility>

// The three messages a child process run reports by (posted, never sent; lParam is the cookie):
// UPM_PROCESS_HANDLE  wParam: the child's process handle, the receiver's to close
// UPM_LINE            wParam: a new std::string* holding one output line, the receiver's to delete
// UPM_FINISHED        wParam: 0 when the output ended normally, else a Win32 error code
extern const UINT UPM_PROCESS_HANDLE;
extern const UINT UPM_LINE;
extern const UINT UPM_FINISHED;

// Runs one child process with its standard output and error on a pipe that a reader thread reads.
// The reader holds what it uses, so this object may go as soon as Run has returned; the reader ends
// when the child and whatever it started have closed their side of the pipe.
class CProcess {
  public:
    CProcess(std::string command, HWND target, LPARAM cookie);
    void SetDirectory(std::string directory) { m_strDirectory = std::move(directory); }
    // TRUE when the child and the reader run. On FALSE the last error says why and UPM_FINISHED
    // carries the same error.
    BOOL Run();

  private:
    BOOL Fail(DWORD error) const;

    std::string m_strCommand;
    std::string m_strDirectory;
    HWND m_hTarget;
    LPARAM m_lCookie;
};

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

// Runs one child process with its standard output and error on a pipe that a worker thread reads.
// Created with new; from Run on it belongs to itself and deletes itself when it is done.
class CProcess {
  public:
    CProcess(std::string command, HWND target, LPARAM cookie);
    void SetDirectory(std::string directory) { m_strDirectory = std::move(directory); }
    // TRUE when the child and the reader run. On FALSE the object is gone, the last error says why
    // and UPM_FINISHED carries the same error.
    BOOL Run();

  private:
    virtual ~CProcess();
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    BOOL Fail(DWORD error);
    void ReadOutput();
    void PostLine(std::string line) const;

    std::string m_strCommand;
    std::string m_strDirectory;
    HWND m_hTarget;
    LPARAM m_lCookie;
    HANDLE m_hRead = nullptr;
};

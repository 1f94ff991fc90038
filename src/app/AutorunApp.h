#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/InstallLog.h"

class CAutorunDoc;
class CAutorunView;
class CLogFile;
class CMainFrame;
class CUnattendedInstall;
struct QuietSwitches;

// The process: one instance per session; document, frame and view created in this order, the
// view's initial update before the window shows, then the message loop.
class CAutorunApp {
  public:
    CAutorunApp();
    virtual ~CAutorunApp();

    // `commandLine` is the text after the program name, `words` the same split into arguments.
    // False when the program is to end at once.
    BOOL InitInstance(const std::string& commandLine, const std::vector<std::string>& words);
    // The message loop; gives the exit code.
    int Run();
    // Gives the exit code of a start-up that ended: 1 when it failed, 0 otherwise.
    int ExitInstance();

  private:
    // The runs without a window: the unattended install and the machine report.
    BOOL InitQuiet(const QuietSwitches& quiet, const std::string& commandLine);
    // Ends a run without a window before its message loop: the result line and the exit code.
    BOOL EndQuiet(InstallExit exit, const std::string& reason);
    BOOL FindOtherInstance();
    BOOL RegisterWindowClass();

    std::string m_strClassName;
    BOOL m_bClassRegistered = FALSE;
    int m_nExitCode = 0;
    std::unique_ptr<CAutorunDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CAutorunView> m_pView;
    std::unique_ptr<CLogFile> m_pLog;
    std::unique_ptr<CUnattendedInstall> m_pUnattended;
};

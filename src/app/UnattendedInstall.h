#pragma once
#include <windows.h>

#include <string>

#include "app/InstallEngine.h"
#include "core/InstallLog.h"
#include "win32/LogFile.h"

class CAutorunDoc;

// The view of an install sequence that nobody watches: a line in the log for each step, the result
// as the last line and as the exit code, no window and no question.
class CUnattendedInstall : private CInstallEngine::View {
  public:
    CUnattendedInstall(CLogFile& log, bool noRestart) : m_log(log), m_bNoRestart(noRestart) {}

    // Starts the sequence the SingleInstall page of this machine would run, or, for a resumed run's
    // `resumeArgs`, the recorded one at its step. False, with the result written and in `exit`, when
    // there is nothing to run; the run then ends.
    bool Start(CAutorunDoc& doc, const std::string& resumeArgs, HWND parent, InstallExit& exit);
    CInstallEngine* Engine() { return m_pEngine.get(); }

    // Writes the result line; the message loop ends with its exit code.
    void End(const UnattendedEnd& end);
    static LogTime Now();

  private:
    bool Begin(const std::string& iniFile, const std::string& section, const SWInfo& facts, int step,
               HWND parent, InstallExit& exit);

    void OnStepStarting(int n, const std::string& command, const std::string& progress) override;
    void OnStepNotStarted(DWORD) override {}
    void OnStepEnded(DWORD error, bool exited, DWORD exitCode) override;
    void OnReboot(bool recorded) override;
    void OnFinish(CInstallEngine::Restart restart) override;
    void OnFailed(DWORD error) override;
    void OnSessionEnding() override;
    void Restart(const UnattendedEnd& end);

    CLogFile& m_log;
    bool m_bNoRestart;
    std::unique_ptr<CInstallEngine> m_pEngine;
    bool m_bEnded = false;
    int m_nStep = 0; // the running step, its command and when it started
    std::string m_strCommand;
    LogTime m_started;
    DWORD m_dwStartTick = 0;
};

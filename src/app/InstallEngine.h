#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "core/DevInfoCtrl.h"
#include "core/InstallSequence.h"
#include "ui/Window.h"
#include "win32/Process.h"
#include "win32/SystemRestart.h"

// Runs an install sequence: each step's installer as a child process, one after the other, the
// resume entry at a Reboot step and when the session ends. What the user or the caller sees of it is
// the business of its view: the install button with its wait window, or the unattended run's log.
// A hidden window of its own receives the runner's messages and its timer.
class CInstallEngine : public CWindow {
  public:
    using Restart = CInstallSequence::Action::Restart;

    class View {
      public:
        virtual ~View() = default;
        // A step's installer is about to start; `progress` is the text a wait window shows.
        virtual void OnStepStarting(int n, const std::string& command, const std::string& progress) = 0;
        // Its installer could not be started (the failure of the step follows).
        virtual void OnStepNotStarted(DWORD error) = 0;
        // Its output ended: `error` 0 for a normal end; the child's exit code when it had ended.
        virtual void OnStepEnded(DWORD error, bool exited, DWORD exitCode) = 0;
        // A Reboot step; `recorded`: the resume entry is written.
        virtual void OnReboot(bool recorded) = 0;
        virtual void OnFinish(Restart restart) = 0;
        // A step ended with `error`: the sequence stops.
        virtual void OnFailed(DWORD error) = 0;
        // Windows is ending the session; a running sequence has recorded its next step.
        virtual void OnSessionEnding() {}
    };

    // The steps of `section` in the page file `iniFile`, in the language of `facts`.
    CInstallEngine(std::string iniFile, std::string section, const SWInfo& facts, View& view);
    bool Create(HWND parent);

    // Runs step `n` (from 1), or ends the sequence when there is none.
    void StartStep(int n);
    int CountSteps() const { return m_sequence.CountSteps(); }
    int StepCount() const { return m_sequence.StepCount(); }
    int CurrentStep() const { return m_sequence.CurrentStep(); }
    bool IsBusy() const { return m_sequence.IsBusy(); }
    bool CanResumeAt(int step) const { return m_sequence.CanResumeAt(step); }
    // The user turned down a restart: the next start begins afresh.
    void Stop() { m_sequence.Stop(); }
    // Windows is ending the session: no further step starts, and a running sequence records the
    // step that must run next.
    void OnEndSession();
    // Records where the sequence goes on after a restart; false when that could not be recorded
    // (the page file or section cannot be written in the resume line, or the registry refused it).
    bool WriteResumeEntry() { return WriteResumeEntry(true); }
    std::vector<RestartFailure> RestartWindows() const { return ::RestartWindows(m_bNT); }
    // Added to the resume entry: the switches the resumed run needs beyond the resume form.
    void SetResumeSwitches(std::string switches) { m_strResumeSwitches = std::move(switches); }
    const std::string& IniFile() const { return m_strIniFile; }
    const std::string& Section() const { return m_strSection; }

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void Carry(const CInstallSequence::Action& action, DWORD error);
    void RunPendingStep();
    void OnProcessFinished(DWORD error);
    bool WriteResumeEntry(bool currentStarted);

    std::string m_strIniFile;
    std::string m_strSection;
    bool m_bNT;
    View& m_view;
    CInstallSequence m_sequence;
    std::string m_strResumeSwitches;
    bool m_bPending = false; // a step waits out its pause, its installer not started
    std::string m_strPendingCommand;
    std::string m_strPendingProgress;
    std::unique_ptr<CProcess> m_pProcess; // the running step's installer
};

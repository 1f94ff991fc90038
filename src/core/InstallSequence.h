#pragma once
#include <functional>
#include <string>

// The install button's sequence: which step runs next, what a step's value means, how the sequence
// ends, and which step a resume entry records. The button carries out what it answers.
class CInstallSequence {
  public:
    // Reads one key of the button's section, as stored or with variables substituted; `def` if absent.
    using Reader =
        std::function<std::string(const std::string& key, bool substituted, const std::string& def)>;

    struct Action {
        enum class Kind {
            None,   // nothing to do (cancelled, or no further step)
            Run,    // start `command`, showing `progress`
            Reboot, // record a resume entry (TakeResumeStep), tell the user, restart Windows
            Finish, // the last step is done; end as `restart` says
            Failed, // a step failed: tell the user, stop
        };
        enum class Restart { Yes, No, Other };
        Kind kind = Kind::None;
        std::string command;
        std::string progress;
        Restart restart = Restart::Other;
    };

    CInstallSequence(Reader read, std::string lang);
    virtual ~CInstallSequence() = default;

    int CountSteps() const;
    int StepCount() const { return m_nStepCount; }
    int CurrentStep() const { return m_nStep; }
    bool IsBusy() const { return m_bBusy; }
    bool IsCancelled() const { return m_bCancelled; }

    Action StartStep(int n);
    // The end of the current step's output: 0 for a normal end, else a Win32 error code.
    Action OnFinished(unsigned error);
    // Windows is ending the session: no further step starts.
    void Cancel() { m_bCancelled = true; }
    // The user turned down the restart of a Reboot step: the sequence ends where it is, and the next
    // click starts it afresh.
    void Stop() { m_bBusy = false; }
    // The step a resume entry must record now, or 0 when none must be written: nothing running, a
    // failed step (nothing resumes past a failure), or an entry already recorded in this run. The step
    // after the current one, or the current one itself when its installer has not started yet.
    int TakeResumeStep(bool currentStarted = true);
    // A resumed run only goes on when its steps are there: a missing page file or section has none,
    // and a step beyond the one after the last cannot have been recorded by this sequence.
    bool CanResumeAt(int step) const { return m_nStepCount > 0 && step >= 1 && step <= m_nStepCount + 1; }

    // The folder a step's program starts in: the command up to its last "\" as the installers expect,
    // or, when that is no folder (a quoted program, a "\" in the arguments), the program's own folder.
    static std::string WorkingFolder(const std::string& command,
                                     const std::function<bool(const std::string&)>& isFolder);
    // The program a step's command starts: quoted, or up to the first blank.
    static std::string ProgramOf(const std::string& command);

  private:
    std::string StepKey(int n) const { return "Step" + std::to_string(n); }

    Reader m_read;
    std::string m_strLang;
    std::string m_strLabel;
    int m_nStepCount = 0;
    int m_nStep = 0;
    bool m_bBusy = false;
    bool m_bCancelled = false;
    bool m_bFailed = false;
    bool m_bResumeRecorded = false;
};

#pragma once
#include <string>

#include "core/DevInfoCtrl.h"
#include "core/InstallSequence.h"

// How a run without a window ends, in the exit codes of Windows Installer that deployment tools read.
enum class InstallExit : int {
    Done = 0,
    Cancelled = 1602,      // Windows is ending the session
    Failed = 1603,         // the reason is in the log
    RestartStarted = 1641, // the program asked Windows to restart
    LogFailed = 1622,      // the log named could not be written
    BadCommandLine = 1639, // a switch without its value
    RestartNeeded = 3010,  // -norestart: the caller restarts, the resume entry goes on from there
};

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// What an unattended run does when its sequence asks for a restart or ends.
struct UnattendedEnd {
    InstallExit exit = InstallExit::Done;
    bool restartNow = false; // ask Windows to restart before ending
    std::string reason;      // for the log's last line
};

// The lines of the install log: the machine first, a line per step, the result last.
namespace InstallLog {
std::string MachineLine(const LogTime& time, const SWInfo& machine, const std::string& commandLine);
// A step whose program ran: its start, command, exit code (`exited` false: the child still ran when
// its output ended) and duration.
std::string StepLine(const LogTime& start, int n, int count, const std::string& command, bool exited,
                     unsigned long exitCode, unsigned long ms);
// A step that ended with an error of its own (not started, output broken), in the system's words.
std::string StepFailedLine(const LogTime& start, int n, int count, const std::string& command,
                           unsigned long error, const std::string& words);
std::string RebootLine(const LogTime& time, int n, int count, bool recorded);
std::string NoteLine(const LogTime& time, const std::string& text);
std::string ResultLine(const LogTime& time, InstallExit exit, const std::string& reason);

// The turn an unattended run takes at a Reboot step (`recorded`: its resume entry was written) or at
// the end of the sequence.
UnattendedEnd AtReboot(bool recorded, bool noRestart);
UnattendedEnd AtFinish(CInstallSequence::Action::Restart restart, bool noRestart);
} // namespace InstallLog

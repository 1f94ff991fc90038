#include "core/InstallLog.h"

#include <cstdio>

namespace {
std::string Stamp(const LogTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d ", t.year % 10000, t.month % 100,
                  t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
    return text;
}

std::string StepHead(const LogTime& start, int n, int count, const std::string& command) {
    return Stamp(start) + "step " + std::to_string(n) + "/" + std::to_string(count) + ": " + command;
}

std::string Seconds(unsigned long ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lu.%lu s", ms / 1000, ms % 1000 / 100);
    return text;
}

const char* Meaning(InstallExit exit) {
    switch (exit) {
    case InstallExit::Done:
        return "done";
    case InstallExit::Cancelled:
        return "cancelled";
    case InstallExit::Failed:
        return "failed";
    case InstallExit::RestartStarted:
        return "restart started";
    case InstallExit::LogFailed:
        return "log not written";
    case InstallExit::BadCommandLine:
        return "bad command line";
    case InstallExit::RestartNeeded:
        return "restart needed";
    }
    return "";
}
} // namespace

namespace InstallLog {
std::string MachineLine(const LogTime& time, const SWInfo& machine, const std::string& commandLine) {
    return Stamp(time) + "machine: Windows " + machine.DetectOS + ", board " + machine.MBModel +
           ", language " + machine.Lang + "; arguments: " + commandLine;
}

std::string StepLine(const LogTime& start, int n, int count, const std::string& command, bool exited,
                     unsigned long exitCode, unsigned long ms) {
    return StepHead(start, n, count, command) + " | exit code " +
           (exited ? std::to_string(exitCode) : std::string("none (still running)")) + " | " + Seconds(ms);
}

std::string StepFailedLine(const LogTime& start, int n, int count, const std::string& command,
                           unsigned long error, const std::string& words) {
    return StepHead(start, n, count, command) + " | error " + std::to_string(error) + ": " + words;
}

std::string RebootLine(const LogTime& time, int n, int count, bool recorded) {
    return StepHead(time, n, count, "Reboot") +
           (recorded ? " | resume entry written" : " | the resume entry could not be written");
}

std::string NoteLine(const LogTime& time, const std::string& text) {
    return Stamp(time) + text;
}

std::string ResultLine(const LogTime& time, InstallExit exit, const std::string& reason) {
    return Stamp(time) + "result: " + std::to_string(static_cast<int>(exit)) + " " + Meaning(exit) +
           (reason.empty() ? "" : ": " + reason);
}

UnattendedEnd AtReboot(bool recorded, bool noRestart) {
    // Restarting without the entry would leave the machine half installed with nobody told.
    if (!recorded)
        return {InstallExit::Failed, false, "the step to go on from after the restart could not be recorded"};
    if (noRestart)
        return {InstallExit::RestartNeeded, false, "restart Windows to go on; the resume entry continues"};
    return {InstallExit::RestartStarted, true, "Windows restarts; the resume entry continues"};
}

UnattendedEnd AtFinish(CInstallSequence::Action::Restart restart, bool noRestart) {
    using Restart = CInstallSequence::Action::Restart;
    if (restart != Restart::Yes) return {InstallExit::Done, false, "all steps ran"};
    if (noRestart)
        return {InstallExit::RestartNeeded, false, "all steps ran; the sequence asks for a restart"};
    return {InstallExit::RestartStarted, true, "all steps ran; Windows restarts"};
}
} // namespace InstallLog

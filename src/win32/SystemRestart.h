#pragma once
#include <string>
#include <vector>

// What an install sequence needs of Windows around a restart.

// Records `commandLine` to run once at the next start of Windows (HKLM RunOnce, value "Autorun").
bool WriteRunOnce(const std::string& commandLine);

// The steps of a restart that can fail, in the order they are tried.
enum class RestartFailure { NoToken, NoPrivilege, Refused };

// Asks Windows to restart, forcing programs closed; `nt` first enables the shutdown privilege. Goes
// on past a failed step and gives every step that failed, in order (none when the restart is under way).
std::vector<RestartFailure> RestartWindows(bool nt);

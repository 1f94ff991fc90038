#pragma once
#include <string>

// What an install sequence needs of Windows around a restart.

// Records `commandLine` to run once at the next start of Windows (HKLM RunOnce, value "Autorun").
bool WriteRunOnce(const std::string& commandLine);

// Asks Windows to restart, forcing programs closed; `nt` first enables the shutdown privilege. Each
// failure is told in a message box; returns in every case.
void RestartWindows(bool nt);

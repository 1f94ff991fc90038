#include "win32/SystemRestart.h"

#include <windows.h>

#include "win32/OS.h"
#include "win32/Registry.h"
#include "win32/Scoped.h"

namespace {
void EnableShutdownPrivilege(std::vector<RestartFailure>& failures) {
    CHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()))
        failures.push_back(RestartFailure::NoToken);
    TOKEN_PRIVILEGES tp = {};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid);
    // Success alone does not say the privilege was granted; the last error does.
    SetLastError(0);
    AdjustTokenPrivileges(token.Get(), FALSE, &tp, 0, nullptr, nullptr);
    if (GetLastError() != 0) failures.push_back(RestartFailure::NoPrivilege);
}
} // namespace

// On 64-bit Windows the entry goes into the 64-bit registry's RunOnce, which the 64-bit shell runs at
// the next logon (a 32-bit program's own view of the key is another one). Windows before XP x64 knows
// no such flag and is never WOW64. On Vista and later the shell runs a RunOnce program that asks for
// elevation with the elevation prompt, unlike the programs of the Run keys, which it blocks.
bool WriteRunOnce(const std::string& commandLine) {
    CRegistry registry;
    registry.SetRoot(HKEY_LOCAL_MACHINE);
    return registry.WriteString("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Autorun",
                                commandLine, COS::IsWow64() ? KEY_WOW64_64KEY : 0);
}

std::vector<RestartFailure> RestartWindows(bool nt) {
    std::vector<RestartFailure> failures;
    if (nt) EnableShutdownPrivilege(failures);
    if (!ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0)) failures.push_back(RestartFailure::Refused);
    return failures;
}

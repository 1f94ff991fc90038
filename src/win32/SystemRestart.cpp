#include "win32/SystemRestart.h"

#include <windows.h>

#include "win32/Registry.h"

namespace {
void Tell(const char* text) {
    MessageBoxA(nullptr, text, "Autorun", MB_OK);
}

void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        Tell("OpenProcessToken Failed");
    TOKEN_PRIVILEGES tp = {};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid);
    // Success alone does not say the privilege was granted; the last error does.
    SetLastError(0);
    AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
    if (GetLastError() != 0) Tell("AdjustTokenPrivileges Failed");
    if (token) CloseHandle(token);
}
} // namespace

bool WriteRunOnce(const std::string& commandLine) {
    CRegistry registry;
    registry.SetRoot(HKEY_LOCAL_MACHINE);
    return registry.WriteString("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Autorun",
                                commandLine);
}

void RestartWindows(bool nt) {
    if (nt) EnableShutdownPrivilege();
    if (!ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0)) Tell("Failed to reboot");
}

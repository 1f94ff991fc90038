#include "win32/OS.h"

static_assert(sizeof(OSVERSIONINFOA) == 148, "the plain version record, not the EX one");

COS::COS() {
    ZeroMemory(&m_osvi, sizeof m_osvi);
    m_osvi.dwOSVersionInfoSize = sizeof m_osvi;
    GetVersionExA(&m_osvi); // on failure the record stays zero: no flag is set
    m_flags = ClassifyOs(m_osvi.dwPlatformId, m_osvi.dwMajorVersion, m_osvi.dwMinorVersion, IsWow64(),
                         m_osvi.dwBuildNumber);
}

std::string COS::GetLanguageCode() const {
    return LanguageCode(GetUserDefaultLangID());
}

// Windows before XP SP2 has no IsWow64Process, and cannot be WOW64 then.
BOOL COS::IsWow64() {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto proc = GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process");
    if (!proc) return FALSE;
    BOOL wow64 = FALSE;
    const auto isWow64 = reinterpret_cast<IsWow64Fn>(reinterpret_cast<void (*)()>(proc));
    return isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "win32/Win32SystemFacts.h"

#include "win32/LateBound.h"
#include "win32/OS.h"
#include "win32/Registry.h"
#include "win32/WMIQuery.h"

namespace {
const std::uintptr_t kBiosAreaAddress = 0xF0000;
const std::size_t kBiosAreaSize = 0x10000;
const int kNameBuffer = 257;

static_assert(sizeof(DEVMODEA) == 156, "the display mode record the program always passed");

// On Windows 95/98/ME the BIOS area is mapped at its physical address in every process; on the NT
// family (and under Wine) it usually is not, and touching it would fault.
bool IsReadable(std::uintptr_t address, std::size_t size) {
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    for (std::uintptr_t at = address; at < address + size;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(reinterpret_cast<const void*>(at), &mbi, sizeof mbi) != sizeof mbi) return false;
        if (mbi.State != MEM_COMMIT || !(mbi.Protect & readable) || (mbi.Protect & PAGE_GUARD)) return false;
        at = reinterpret_cast<std::uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
    }
    return true;
}

bool TokenHasAdministrators() {
    CHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, token.Receive())) return false;
    return GroupsHoldAdministrators([&token](void* buffer, DWORD size, DWORD* needed) {
        return GetTokenInformation(token.Get(), TokenGroups, buffer, size, needed);
    });
}
} // namespace

// The group list is as long as the token needs: a fixed buffer would refuse an administrator
// who belongs to many groups.
bool GroupsHoldAdministrators(const TokenGroupsReader& read) {
    DWORD needed = 0;
    read(nullptr, 0, &needed);
    std::unique_ptr<BYTE[]> buffer(needed ? new BYTE[needed] : nullptr);
    if (!buffer || !read(buffer.get(), needed, &needed)) return false;

    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &administrators))
        return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.get());
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
        found = EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
    FreeSid(administrators);
    return found;
}

namespace {

class CWin32SystemFacts : public SystemFacts {
  public:
    explicit CWin32SystemFacts(std::function<void(const WmiFailure&)> onWmiFailure)
        : m_onWmiFailure(std::move(onWmiFailure)) {}

    std::string WindowsDirectory() override {
        char path[MAX_PATH];
        const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
    }

    std::string ModuleFileName() override {
        for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
            std::string path(size, '\0');
            const DWORD n = GetModuleFileNameA(nullptr, &path[0], size);
            if (n == 0) return {};
            if (n < size) return path.substr(0, n);
        }
        return {};
    }

    OsFlags Os() override { return COS().Flags(); }
    unsigned UserDefaultLangId() override { return GetUserDefaultLangID(); }

    std::string QueryWMI(const std::string& className, const std::string& property) override {
        std::vector<WmiFailure> failures;
        std::string text = QueryWMIText(className, property, failures);
        for (const WmiFailure& failure : failures)
            m_onWmiFailure(failure);
        return text;
    }

    bool ReadBiosArea(std::vector<std::uint8_t>& area) override {
        if (!IsReadable(kBiosAreaAddress, kBiosAreaSize)) return false;
        area.resize(kBiosAreaSize);
        std::memcpy(area.data(), reinterpret_cast<const void*>(kBiosAreaAddress), kBiosAreaSize);
        return true;
    }

    std::string ShellFolder(int csidl) override {
        const CShellFolders shell;
        char path[MAX_PATH] = "";
        return shell.Loaded() && shell.SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)
                   ? std::string(path)
                   : std::string();
    }

    int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

    bool BitsPerPixel(long& bpp) override {
        DEVMODEA mode;
        ZeroMemory(&mode, sizeof mode);
        mode.dmSize = sizeof mode;
        if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return false;
        bpp = static_cast<long>(mode.dmBitsPerPel);
        return true;
    }

    bool DirectXVersion(std::string& version) override {
        const char* key = "Software\\Microsoft\\DirectX";
        CRegistry registry;
        registry.SetRoot(HKEY_LOCAL_MACHINE);
        if (!registry.KeyExists(key)) return false;
        if (!registry.GetString(key, "Version", version)) version.clear();
        return true;
    }

    IeState BrowserVersion(long& major, long& minor) override {
        const CModule shdocvw(LoadLibraryA("shdocvw.dll"));
        if (!shdocvw) return IeState::NotLoaded;
        IeState state = IeState::NoVersion;
        if (const auto proc = GetProcAddress(shdocvw.Get(), "DllGetVersion")) {
            const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(proc));
            DLLVERSIONINFO info;
            ZeroMemory(&info, sizeof info);
            info.cbSize = sizeof info;
            if (SUCCEEDED(getVersion(&info))) {
                major = static_cast<long>(info.dwMajorVersion);
                minor = static_cast<long>(info.dwMinorVersion);
                state = IeState::Ok;
            }
        }
        return state;
    }

    std::string IpAddress() override {
        const CWinSock ws;
        WSADATA wsa;
        if (!ws.Loaded() || ws.WSAStartup(MAKEWORD(2, 0), &wsa) != 0) return {};
        std::string address;
        char name[256] = "";
        if (ws.gethostname(name, 255) == 0) {
            const hostent* host = ws.gethostbyname(name);
            if (host && host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list[0]) {
                in_addr first;
                std::memcpy(&first, host->h_addr_list[0], sizeof first);
                address = ws.inet_ntoa(first);
            }
        }
        ws.WSACleanup();
        return address;
    }

    std::string ComputerName() override {
        char name[kNameBuffer];
        DWORD size = kNameBuffer;
        return GetComputerNameA(name, &size) ? std::string(name) : std::string();
    }

    std::string UserName() override {
        char name[kNameBuffer];
        DWORD size = kNameBuffer;
        return GetUserNameA(name, &size) ? std::string(name) : std::string();
    }

    std::uint32_t TickCount() override { return GetTickCount(); }

    LocalTime Now() override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    }

    void SetLastError(unsigned code) override { ::SetLastError(code); }
    bool IsAdministrator() override { return TokenHasAdministrators(); }

  private:
    std::function<void(const WmiFailure&)> m_onWmiFailure;
};
} // namespace

std::unique_ptr<SystemFacts> MakeWin32SystemFacts(std::function<void(const WmiFailure&)> onWmiFailure) {
    return std::make_unique<CWin32SystemFacts>(std::move(onWmiFailure));
}

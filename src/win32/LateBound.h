#pragma once
// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <windows.h>

#include <cfgmgr32.h>
#include <commctrl.h>
#include <objbase.h>
#include <setupapi.h>
#include <shlobj.h>
#include <wincrypt.h>
#include <wininet.h>

#include "win32/Scoped.h"

// Functions that some Windows versions lack, or that sit in DLLs that only some installs have, are
// not imported: the loader would refuse to start the program where one is missing. Each group below
// loads its functions at construction (and the DLL with them, once per process); Loaded() says
// whether every one was found, and a caller does nothing with a group that is not loaded.
// The tables are also what the import check reads: keep one LATE_BOUND(dll, Name) per function.

// The named export of the named system DLL, loading the DLL when the process has not yet: nullptr
// when either is missing.
FARPROC LateBoundProc(const char* dll, const char* name);

#define LATE_BOUND_MEMBER(dll, name)                                                                         \
    decltype(&::name) name =                                                                                 \
        reinterpret_cast<decltype(&::name)>(reinterpret_cast<void*>(LateBoundProc(#dll ".dll", #name)));
#define LATE_BOUND_FOUND(dll, name) &&name
#define LATE_BOUND_GROUP(Type, TABLE)                                                                        \
    struct Type {                                                                                            \
        TABLE(LATE_BOUND_MEMBER)                                                                             \
        bool Loaded() const { return true TABLE(LATE_BOUND_FOUND); }                                         \
    };

// Device lists: SetupAPI came with Windows 98 and 2000.
#define SETUPAPI_TABLE(LATE_BOUND)                                                                           \
    LATE_BOUND(setupapi, SetupDiClassGuidsFromNameA)                                                         \
    LATE_BOUND(setupapi, SetupDiGetClassDevsA)                                                               \
    LATE_BOUND(setupapi, SetupDiEnumDeviceInfo)                                                              \
    LATE_BOUND(setupapi, SetupDiGetDeviceRegistryPropertyA)                                                  \
    LATE_BOUND(setupapi, SetupDiRemoveDevice)                                                                \
    LATE_BOUND(setupapi, SetupDiDestroyDeviceInfoList)
LATE_BOUND_GROUP(CSetupApi, SETUPAPI_TABLE)

// The device tree: on Windows 98 and ME these live in cfgmgr32.dll only, on the NT family in both.
#define CFGMGR32_TABLE(LATE_BOUND)                                                                           \
    LATE_BOUND(cfgmgr32, CM_Locate_DevNode_ExA)                                                              \
    LATE_BOUND(cfgmgr32, CM_Reenumerate_DevNode_Ex)                                                          \
    LATE_BOUND(cfgmgr32, CM_Get_Device_IDA)
LATE_BOUND_GROUP(CConfigManager, CFGMGR32_TABLE)

// FTP: WinINet comes with Internet Explorer.
#define WININET_TABLE(LATE_BOUND)                                                                            \
    LATE_BOUND(wininet, InternetOpenA)                                                                       \
    LATE_BOUND(wininet, InternetSetOptionA)                                                                  \
    LATE_BOUND(wininet, InternetConnectA)                                                                    \
    LATE_BOUND(wininet, InternetCloseHandle)                                                                 \
    LATE_BOUND(wininet, InternetGetLastResponseInfoA)                                                        \
    LATE_BOUND(wininet, InternetReadFile)                                                                    \
    LATE_BOUND(wininet, InternetWriteFile)                                                                   \
    LATE_BOUND(wininet, InternetFindNextFileA)                                                               \
    LATE_BOUND(wininet, FtpOpenFileA)                                                                        \
    LATE_BOUND(wininet, FtpFindFirstFileA)                                                                   \
    LATE_BOUND(wininet, FtpGetCurrentDirectoryA)                                                             \
    LATE_BOUND(wininet, FtpSetCurrentDirectoryA)                                                             \
    LATE_BOUND(wininet, FtpCreateDirectoryA)                                                                 \
    LATE_BOUND(wininet, FtpRemoveDirectoryA)                                                                 \
    LATE_BOUND(wininet, FtpDeleteFileA)
LATE_BOUND_GROUP(CWinInet, WININET_TABLE)

// The machine's address: Winsock 2 is an update on Windows 95.
#define WS2_32_TABLE(LATE_BOUND)                                                                             \
    LATE_BOUND(ws2_32, WSAStartup)                                                                           \
    LATE_BOUND(ws2_32, WSACleanup)                                                                           \
    LATE_BOUND(ws2_32, gethostname)                                                                          \
    LATE_BOUND(ws2_32, gethostbyname)                                                                        \
    LATE_BOUND(ws2_32, inet_ntoa)
LATE_BOUND_GROUP(CWinSock, WS2_32_TABLE)

// File stamps without opening the file: Windows 98 and NT 4 have this, Windows 95 does not.
#define KERNEL32_ATTRIBUTES_TABLE(LATE_BOUND) LATE_BOUND(kernel32, GetFileAttributesExA)
LATE_BOUND_GROUP(CFileAttributesEx, KERNEL32_ATTRIBUTES_TABLE)

// Special folders: the shell of Internet Explorer 4 brought this one to Windows 95 and NT 4.
#define SHELL32_TABLE(LATE_BOUND) LATE_BOUND(shell32, SHGetSpecialFolderPathA)
LATE_BOUND_GROUP(CShellFolders, SHELL32_TABLE)

// COM security: DCOM, which a stock Windows 95 lacks; only the NT family's WMI queries use it.
#define OLE32_TABLE(LATE_BOUND)                                                                              \
    LATE_BOUND(ole32, CoInitializeSecurity)                                                                  \
    LATE_BOUND(ole32, CoSetProxyBlanket)
LATE_BOUND_GROUP(CComSecurity, OLE32_TABLE)

// Common controls newer than the comctl32 4.00 of Windows 95 and NT 4; callers have a fallback each.
#define COMCTL32_INIT_TABLE(LATE_BOUND) LATE_BOUND(comctl32, InitCommonControlsEx)
LATE_BOUND_GROUP(CCommonControlsInit, COMCTL32_INIT_TABLE)
#define COMCTL32_TRACK_TABLE(LATE_BOUND) LATE_BOUND(comctl32, _TrackMouseEvent)
LATE_BOUND_GROUP(CMouseTracking, COMCTL32_TRACK_TABLE)

// SHA-256 through CryptoAPI: Windows 95 got CryptoAPI with Internet Explorer 3.02, and the AES
// provider that hashes SHA-256 came with XP SP3.
#define ADVAPI32_CRYPT_TABLE(LATE_BOUND)                                                                     \
    LATE_BOUND(advapi32, CryptAcquireContextA)                                                               \
    LATE_BOUND(advapi32, CryptReleaseContext)                                                                \
    LATE_BOUND(advapi32, CryptCreateHash)                                                                    \
    LATE_BOUND(advapi32, CryptHashData)                                                                      \
    LATE_BOUND(advapi32, CryptGetHashParam)                                                                  \
    LATE_BOUND(advapi32, CryptDestroyHash)
LATE_BOUND_GROUP(CCryptoApi, ADVAPI32_CRYPT_TABLE)

// A WinINet handle, closed at the end. One exists only where WinINet was loaded.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) {
        reinterpret_cast<decltype(&::InternetCloseHandle)>(
            reinterpret_cast<void*>(LateBoundProc("wininet.dll", "InternetCloseHandle")))(h);
    }
};
using CInternetHandle = CScoped<InternetHandleTraits>;

// A CryptoAPI provider and a hash object, released at the end. One exists only where CryptoAPI was
// loaded.
struct CryptProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle None() { return 0; }
    static bool Valid(Handle h) { return h != 0; }
    static void Close(Handle h) { CCryptoApi().CryptReleaseContext(h, 0); }
};
using CCryptProvider = CScoped<CryptProviderTraits>;

struct CryptHashTraits {
    using Handle = HCRYPTHASH;
    static Handle None() { return 0; }
    static bool Valid(Handle h) { return h != 0; }
    static void Close(Handle h) { CCryptoApi().CryptDestroyHash(h); }
};
using CCryptHash = CScoped<CryptHashTraits>;

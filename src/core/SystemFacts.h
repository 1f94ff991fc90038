#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/OsFacts.h"

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The raw facts of the running machine that variable values are computed from. The rules that turn
// them into values live in CToken; the platform side only reads. Every call is made at the moment of
// the lookup (nothing is cached). A fact that cannot be read is an empty string (or false).
class SystemFacts {
  public:
    virtual ~SystemFacts() = default;
    virtual std::string WindowsDirectory() = 0;
    virtual std::string ModuleFileName() = 0; // full path of the running program
    virtual OsFlags Os() = 0;
    virtual unsigned UserDefaultLangId() = 0;
    // The text of one property of a WMI class's first instance: "" without a connection,
    // "NULL" when connected but without an instance or value.
    virtual std::string QueryWMI(const std::string& className, const std::string& property) = 0;
    // A copy of the 64 KB at physical 0xF0000; false where that range cannot be read.
    virtual bool ReadBiosArea(std::vector<std::uint8_t>& area) = 0;
    virtual std::string ShellFolder(int csidl) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    virtual bool BitsPerPixel(long& bpp) = 0;
    // HKLM\Software\Microsoft\DirectX "Version" ("" when the value is missing); false without the key.
    virtual bool DirectXVersion(std::string& version) = 0;
    enum class IeState { NotLoaded, NoVersion, Ok };
    virtual IeState BrowserVersion(long& major, long& minor) = 0;
    virtual std::string IpAddress() = 0;
    virtual std::string ComputerName() = 0;
    virtual std::string UserName() = 0;
    virtual std::uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
    virtual void SetLastError(unsigned code) = 0;
    virtual bool IsAdministrator() = 0;
    // Whether the CD asks for the names of Windows Vista and later (DetectModernWindows=YES in [Root]
    // of the Root.ini beside the program).
    virtual bool NamesModernWindows();
};

// The running platform's facts. Defined per platform.
SystemFacts& DefaultSystemFacts();

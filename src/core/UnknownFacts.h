#pragma once
#include "core/SystemFacts.h"

// A machine of which nothing is known: every fact empty, false or zero. The tools build on it what
// they do know (a Linux host its own path and clock, an imagined machine its CD folder and system).
class UnknownFacts : public SystemFacts {
  public:
    std::string WindowsDirectory() override { return {}; }
    std::string ModuleFileName() override { return {}; }
    OsFlags Os() override { return {}; }
    unsigned UserDefaultLangId() override { return 0; }
    std::string QueryWMI(const std::string&, const std::string&) override { return {}; }
    bool ReadBiosArea(std::vector<std::uint8_t>&) override { return false; }
    std::string ShellFolder(int) override { return {}; }
    int ScreenWidth() override { return 0; }
    int ScreenHeight() override { return 0; }
    bool BitsPerPixel(long&) override { return false; }
    bool DirectXVersion(std::string&) override { return false; }
    IeState BrowserVersion(long&, long&) override { return IeState::NotLoaded; }
    std::string IpAddress() override { return {}; }
    std::string ComputerName() override { return {}; }
    std::string UserName() override { return {}; }
    std::uint32_t TickCount() override { return 0; }
    LocalTime Now() override { return {}; }
    void SetLastError(unsigned) override {}
    bool IsAdministrator() override { return false; }
};

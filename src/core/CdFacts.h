#pragma once
#include "core/DevInfoCtrl.h"
#include "core/SystemFacts.h"

// The machine a tool imagines running the program from a CD folder: the variable Path names the folder;
// the system, the user's language and the board (on the NT family, where the program asks WMI) are
// the given ones; every other fact is unknown.
class CdFacts : public SystemFacts {
  public:
    CdFacts(std::string path, SWInfo machine);
    void SetMachine(const SWInfo& machine) { m_machine = machine; }

    std::string WindowsDirectory() override { return {}; }
    std::string ModuleFileName() override { return m_strPath + "\\Autorun.exe"; }
    OsFlags Os() override;
    unsigned UserDefaultLangId() override;
    std::string QueryWMI(const std::string& className, const std::string& property) override;
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
    bool IsAdministrator() override { return true; }

  private:
    std::string m_strPath;
    SWInfo m_machine;
};

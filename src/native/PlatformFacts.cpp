#include "core/SystemFacts.h"

// Placeholder until the platform's facts are read; every fact is unknown.
namespace {
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
    bool DirectXKeyExists() override { return false; }
    std::string DirectXVersion() override { return {}; }
    IeState BrowserVersion(long&, long&) override { return IeState::NotLoaded; }
    std::string IpAddress() override { return {}; }
    std::string ComputerName() override { return {}; }
    std::string UserName() override { return {}; }
    std::uint32_t TickCount() override { return 0; }
    LocalTime Now() override { return {}; }
    void SetLastError(unsigned) override {}
    bool IsAdministrator() override { return false; }
};
} // namespace

SystemFacts& DefaultSystemFacts() {
    static UnknownFacts facts;
    return facts;
}

#include <time.h>
#include <unistd.h>

#include "core/SystemFacts.h"

// What a Linux tool for CD authors can honestly say: its own path, the clock and the uptime.
// Windows facts (version, WMI, shell folders, display, registry) are unknown here.
namespace {
class LinuxFacts : public SystemFacts {
  public:
    std::string WindowsDirectory() override { return {}; }
    std::string ModuleFileName() override {
        std::string path(256, '\0');
        for (;;) {
            const ssize_t n = readlink("/proc/self/exe", &path[0], path.size());
            if (n < 0) return {};
            if (static_cast<std::size_t>(n) < path.size()) return path.substr(0, static_cast<std::size_t>(n));
            path.resize(path.size() * 2);
        }
    }
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
    // Milliseconds since boot, wrapping at 32 bits like the Windows tick count.
    std::uint32_t TickCount() override {
        timespec ts{};
        clock_gettime(CLOCK_BOOTTIME, &ts);
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                                          static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
    }
    LocalTime Now() override {
        const time_t now = time(nullptr);
        tm t{};
        localtime_r(&now, &t);
        return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    }
    void SetLastError(unsigned) override {}
    bool IsAdministrator() override { return false; }
};
} // namespace

SystemFacts& DefaultSystemFacts() {
    static LinuxFacts facts;
    return facts;
}

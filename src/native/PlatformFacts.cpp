#include <time.h>
#include <unistd.h>

#include "core/UnknownFacts.h"

// What a Linux tool for CD authors can honestly say: its own path, the clock and the uptime.
// Windows facts (version, WMI, shell folders, display, registry) are unknown here.
namespace {
class LinuxFacts : public UnknownFacts {
  public:
    std::string ModuleFileName() override {
        std::string path(256, '\0');
        for (;;) {
            const ssize_t n = readlink("/proc/self/exe", &path[0], path.size());
            if (n < 0) return {};
            if (static_cast<std::size_t>(n) < path.size()) return path.substr(0, static_cast<std::size_t>(n));
            path.resize(path.size() * 2);
        }
    }
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
};
} // namespace

SystemFacts& DefaultSystemFacts() {
    static LinuxFacts facts;
    return facts;
}

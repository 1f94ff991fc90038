#include "core/DetectPlatform.h"

// A Linux host has no Windows device tree, registry or port-I/O library: detection finds nothing.
namespace {
class NoDevices : public DetectPlatform {
  public:
    OsFlags Os() override { return {}; }
    bool IsAdministrator() override { return false; }
    void PlaceDriverFile() override {}
    void RemoveDriverService() override {}
    bool ListSetupDevices(const std::string&, std::vector<SetupDevice>&) override { return false; }
    bool SubkeyName(RegRoot, const std::string&, unsigned, std::string&) override { return false; }
    bool KeyExists(RegRoot, const std::string&) override { return false; }
    bool ReadString(RegRoot, const std::string&, const std::string&, std::string&) override { return false; }
    PortIo* OpenPortIo() override { return nullptr; }
};
} // namespace

DetectPlatform& DefaultDetectPlatform() {
    static NoDevices platform;
    return platform;
}

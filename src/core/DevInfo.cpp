#include "core/DevInfo.h"

namespace {
// Up to `n` characters after the first `marker`; fewer when the id ends sooner, "" without marker.
std::string After(const std::string& id, const char* marker, std::size_t n) {
    std::size_t p = id.find(marker);
    if (p == std::string::npos) return {};
    return id.substr(p + std::char_traits<char>::length(marker), n);
}
} // namespace

CDevInfo::CDevInfo(std::string id, std::string version, std::string date, std::string provider,
                   std::string inf)
    : HardwareId(std::move(id)), DriverVersion(std::move(version)), DriverDate(std::move(date)),
      ProviderName(std::move(provider)), InfPath(std::move(inf)) {
    Ven = After(HardwareId, "VEN_", 4);
    Dev = After(HardwareId, "DEV_", 4);
    if (HardwareId.find("DEV_") != std::string::npos) Subsys = After(HardwareId, "SUBSYS_", 8);
    if (HardwareId.compare(0, 7, "SUBSYS_") == 0) SubsysId = HardwareId;
    ClassCode = After(HardwareId, "&CC_", 4);
    if (ClassCode == "0000") ClassCode.clear();
    if (!Ven.empty()) {
        VenDev = "VEN_" + Ven + "&DEV_" + Dev;
        VenDevSubsys = VenDev + "&SUBSYS_" + Subsys;
        if (!ClassCode.empty()) VenDevSubsysCc = VenDevSubsys + "&CC_" + ClassCode;
    }
}

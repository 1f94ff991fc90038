#pragma once
#include <list>
#include <string>

// One detected device: the id as detected, the id forms derived from it, the installed driver.
struct CDevInfo {
    CDevInfo(std::string id, std::string version, std::string date, std::string provider, std::string inf);
    virtual ~CDevInfo() = default;

    std::string HardwareId;
    std::string VenDev;
    std::string VenDevSubsys;
    std::string Ven;
    std::string Dev;
    std::string Subsys;
    std::string DriverVersion;
    std::string DriverDate;
    std::string ProviderName;
    std::string InfPath;
    std::string SubsysId;
    std::string ClassCode;
    std::string VenDevSubsysCc;
};

// The document's device list, in detection order; the list owns its records.
using CDevList = std::list<CDevInfo>;

#include "core/DevDetect.h"

#include <cstdio>
#include <vector>

#include "core/DetectPlatform.h"
#include "core/DumpFile.h"
#include "core/PciScanner.h"
#include "core/Token.h"

namespace {
const char kNtClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
const char k9xClassKey[] = "System\\CurrentControlSet\\Services\\Class\\";
const char k9xEnum[] = "Config Manager\\Enum";
const char kNoScanOnNT6[] = "skipped: Windows Vista or later loads no port-I/O driver";
const char kNoScanOn64Bit[] = "skipped: 64-bit Windows loads no 32-bit port-I/O driver";

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string Hex4(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04x", value & 0xFFFFu);
    return buf;
}

bool IsPciId(const std::string& id) {
    return id.find("PCI\\") != std::string::npos;
}
} // namespace

CDevDetect::CDevDetect() : CDevDetect(DefaultDetectPlatform()) {}

CDevDetect::CDevDetect(DetectPlatform& platform) : m_platform(platform) {
    GetSWInfo(&m_info);
}

CDevDetect::~CDevDetect() {
    m_platform.RemoveDriverService();
}

int CDevDetect::DetectDevices(std::string className, CDevList* list) {
    OsFlags os = m_platform.Os();
    // The program has told such a user already, at its start.
    if (os.IsNT && !m_platform.IsAdministrator()) return 0;
    if (os.IsNT6) {
        // Vista and later load no unsigned driver, and 64-bit Windows no 32-bit one: PCI functions come
        // from SetupAPI with their drivers, as under WOW64, and the dump says why the scan is missing.
        m_strScanSkipped = os.IsWow64 ? kNoScanOn64Bit : kNoScanOnNT6;
        DetectSetupDevices(className, false, list);
        return 0;
    }
    m_platform.PlaceDriverFile();
    if (os.IsWin2000 || os.IsWinXP || os.IsWin2003) {
        if (DetectSetupDevices(className, true, list)) AddScannedFunctions(list);
    } else if (os.IsWinXPA || os.IsWin2003A) {
        // Under WOW64 the ports are out of reach: PCI functions come from SetupAPI with their drivers.
        DetectSetupDevices(className, false, list);
    } else if (os.Is9x && m_platform.KeyExists(RegRoot::DynData, k9xEnum)) {
        DetectRegistryDevices(list);
        AddScannedFunctions(list);
    }
    return 0;
}

void CDevDetect::AddDevice(bool atHead, const std::string& id, const char* classKey,
                           const std::string& driverKey, CDevList* list) {
    std::string values[4];
    // Without a driver key name the path would name the class key itself.
    if (!driverKey.empty()) {
        const char* names[4] = {"DriverVersion", "DriverDate", "ProviderName", "InfPath"};
        std::string key = classKey + driverKey;
        for (int i = 0; i < 4; ++i)
            if (!m_platform.ReadString(RegRoot::LocalMachine, key, names[i], values[i])) values[i].clear();
    }
    (atHead ? AddDeviceHead : AddDeviceTail)(id, list, values[0], values[1], values[2], values[3]);
}

// PCI functions of the 32-bit systems come from the scan, so SetupAPI's own PCI ids are left out.
bool CDevDetect::DetectSetupDevices(const std::string& className, bool skipPci, CDevList* list) {
    std::vector<SetupDevice> devices;
    if (!m_platform.ListSetupDevices(className, devices)) return false;
    for (const SetupDevice& dev : devices)
        if (!skipPci || !IsPciId(dev.id)) AddDevice(true, dev.id, kNtClassKey, dev.driverKey, list);
    return true;
}

// An entry without a "HardWareKey" names no device and is skipped.
void CDevDetect::DetectRegistryDevices(CDevList* list) {
    std::string name;
    for (unsigned i = 0; m_platform.SubkeyName(RegRoot::DynData, k9xEnum, i, name); ++i) {
        std::string id, driverKey;
        if (!m_platform.ReadString(RegRoot::DynData, std::string(k9xEnum) + "\\" + name, "HardWareKey", id) ||
            id.empty() || IsPciId(id))
            continue;
        if (!m_platform.ReadString(RegRoot::LocalMachine, "Enum\\" + id, "Driver", driverKey))
            driverKey.clear();
        AddDevice(false, id, k9xClassKey, driverKey, list);
    }
}

// Each function as Windows names it, upper case; a host bridge also by its subsystem alone.
void CDevDetect::AddScannedFunctions(CDevList* list) {
    std::vector<PciDeviceRecord> functions;
    CPciScanner(m_platform.OpenPortIo()).Scan(functions);
    for (const PciDeviceRecord& f : functions) {
        std::string subsys = Hex4(f.subsystemId) + Hex4(f.subsystemVendorId);
        char classCode[8];
        std::snprintf(classCode, sizeof classCode, "%02x%02x", f.baseClass, f.subClass);
        if (std::string(classCode) == "0600") AddDeviceHead(Upper("SUBSYS_" + subsys), list, "", "", "", "");
        AddDeviceHead(Upper("PCI\\VEN_" + Hex4(f.vendorId) + "&DEV_" + Hex4(f.deviceId) + "&SUBSYS_" +
                            subsys + "&CC_" + classCode),
                      list, "", "", "", "");
    }
}

void CDevDetect::GetSWInfo(SWInfo* info) {
    CToken token;
    info->MBModel = token.GetVariable("MBModel");
    info->DetectOS = token.GetVariable("DetectOS");
    info->Lang = token.GetVariable("Lang");
}

bool CDevDetect::WriteDumpFile(std::string path) {
    CDevList list;
    DetectDevices("", &list);
    return CDumpFile(path).Write(list, m_info, m_strScanSkipped);
}

bool CDevDetect::SetDumpFile(std::string) {
    return true;
}

std::string CDevDetect::ExpandVariables(std::string text) {
    return ExpandTags(text, m_info);
}

#include "win32/Win32DetectPlatform.h"

#include "core/SystemFacts.h"
#include "core/Token.h"
#include "win32/LateBound.h"
#include "win32/PortIoLibrary.h"
#include "win32/Registry.h"

namespace {
const char kServices[] = "SYSTEM\\ControlSet001\\Services";
const char kService[] = "SYSTEM\\ControlSet001\\Services\\VORN-IO";

HKEY RootKey(RegRoot root) {
    return root == RegRoot::DynData ? HKEY_DYN_DATA : HKEY_LOCAL_MACHINE;
}

// The present devices of one setup class, or of all classes when the name names none.
HDEVINFO OpenClassDevices(const CSetupApi& api, const std::string& className) {
    GUID guid;
    DWORD found = 0;
    if (api.SetupDiClassGuidsFromNameA(className.c_str(), &guid, 1, &found) && found >= 1)
        return api.SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT);
    return api.SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
}

// The local machine's form of CM_Get_Device_ID_ExA, whose Wine version answers an empty id.
std::string DeviceId(const CConfigManager& cm, DEVINST dev) {
    char id[200] = "";
    if (cm.CM_Get_Device_IDA(dev, id, sizeof id, 0) != CR_SUCCESS) return {};
    id[sizeof id - 1] = '\0';
    return id;
}

// A REG_SZ that fills the buffer exactly arrives without its terminator.
std::string DriverKeyName(const CSetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& data) {
    char name[1024] = "";
    if (!api.SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_DRIVER, nullptr,
                                               reinterpret_cast<BYTE*>(name), sizeof name - 1, nullptr))
        return {};
    return name;
}
} // namespace

CWin32DetectPlatform::CWin32DetectPlatform(std::string programDir, std::string systemDir)
    : m_strProgramDir(std::move(programDir)), m_strSystemDir(std::move(systemDir)) {}

OsFlags CWin32DetectPlatform::Os() {
    return DefaultSystemFacts().Os();
}

bool CWin32DetectPlatform::IsAdministrator() {
    return CToken().IsAdministrator();
}

bool CWin32DetectPlatform::HasLibrary() const {
    return GetFileAttributesA((m_strProgramDir + "\\VORN-IO.dll").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CWin32DetectPlatform::DriverTarget() const {
    return m_strSystemDir + "\\drivers\\VORN-IO.SYS";
}

// An existing driver file is left as it is.
void CWin32DetectPlatform::PlaceDriverFile() {
    if (!HasLibrary()) return;
    CopyFileA((m_strProgramDir + "\\VORN-IO.SYS").c_str(), DriverTarget().c_str(), TRUE);
    SetFileAttributesA(DriverTarget().c_str(), FILE_ATTRIBUTE_NORMAL);
}

PortIo* CWin32DetectPlatform::OpenPortIo() {
    if (!HasLibrary()) return nullptr;
    PortIo* io = CPortIoLibrary::Load(m_strProgramDir + "\\VORN-IO.dll");
    SetFileAttributesA(DriverTarget().c_str(), FILE_ATTRIBUTE_NORMAL);
    return io;
}

// Each step may find nothing to remove (always so on Windows 95/98/ME, and where SetupAPI is missing).
void CWin32DetectPlatform::RemoveDriverService() {
    const CSetupApi api;
    const CConfigManager cm;
    HDEVINFO set = api.Loaded() && cm.Loaded() ? OpenClassDevices(api, "LegacyDriver") : INVALID_HANDLE_VALUE;
    if (set != INVALID_HANDLE_VALUE) {
        SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        for (DWORD i = 0; api.SetupDiEnumDeviceInfo(set, i, &data); ++i) {
            if (DeviceId(cm, data.DevInst).find("ROOT\\LEGACY_VORN-IO\\0000") != std::string::npos) {
                api.SetupDiRemoveDevice(set, &data);
                break;
            }
        }
        api.SetupDiDestroyDeviceInfoList(set);
    }
    CRegistry reg;
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    for (const char* value : {"DisplayName", "ErrorControl", "ImagePath", "Start", "TYPE"})
        reg.DeleteValue(kService, value);
    reg.DeleteKey(kService, "Enum");
    reg.DeleteKey(kService, "Security");
    reg.DeleteKey(kServices, "VORN-IO");
}

bool CWin32DetectPlatform::ListSetupDevices(const std::string& className, std::vector<SetupDevice>& out) {
    // The refresh only adds what was plugged in lately: where it fails (Wine has none), the device
    // set as it stands is still the machine's.
    // Without SetupAPI there is no device list to read: the same as a failed list.
    const CSetupApi api;
    const CConfigManager cm;
    if (!api.Loaded() || !cm.Loaded()) return false;
    DEVINST root;
    if (cm.CM_Locate_DevNode_ExA(&root, nullptr, 0, nullptr) == CR_SUCCESS)
        cm.CM_Reenumerate_DevNode_Ex(root, 0, nullptr);
    HDEVINFO set = OpenClassDevices(api, className);
    if (set == INVALID_HANDLE_VALUE) return false;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD i = 0; api.SetupDiEnumDeviceInfo(set, i, &data); ++i)
        out.push_back({DeviceId(cm, data.DevInst), DriverKeyName(api, set, data)});
    api.SetupDiDestroyDeviceInfoList(set);
    return true;
}

bool CWin32DetectPlatform::SubkeyName(RegRoot root, const std::string& path, unsigned index,
                                      std::string& name) {
    const CRegKey key = OpenRegKey(RootKey(root), path, KEY_READ);
    char buf[1024];
    if (!key || RegEnumKeyA(key.Get(), index, buf, sizeof buf) != ERROR_SUCCESS) return false;
    name = buf;
    return true;
}

bool CWin32DetectPlatform::KeyExists(RegRoot root, const std::string& path) {
    CRegistry reg;
    reg.SetRoot(RootKey(root));
    return reg.KeyExists(path);
}

bool CWin32DetectPlatform::ReadString(RegRoot root, const std::string& path, const std::string& name,
                                      std::string& value) {
    CRegistry reg;
    reg.SetRoot(RootKey(root));
    return reg.GetString(path, name, value);
}

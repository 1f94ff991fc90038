#pragma once
#include "core/DetectPlatform.h"

// The live detection's view of Windows. The program folder holds the port-I/O library and driver;
// the driver file is placed into the system folder's "drivers".
class CWin32DetectPlatform : public DetectPlatform {
  public:
    CWin32DetectPlatform(std::string programDir, std::string systemDir);

    OsFlags Os() override;
    bool IsAdministrator() override;
    void PlaceDriverFile() override;
    void RemoveDriverService() override;
    bool ListSetupDevices(const std::string& className, std::vector<SetupDevice>& out) override;
    bool SubkeyName(RegRoot root, const std::string& path, unsigned index, std::string& name) override;
    bool KeyExists(RegRoot root, const std::string& path) override;
    bool ReadString(RegRoot root, const std::string& path, const std::string& name,
                    std::string& value) override;
    PortIo* OpenPortIo() override;

  private:
    bool HasLibrary() const;
    std::string DriverTarget() const;

    std::string m_strProgramDir;
    std::string m_strSystemDir;
};

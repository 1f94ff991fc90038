#pragma once
#include "core/DevInfoCtrl.h"

class DetectPlatform;

// The live detection: SetupAPI/CM on Windows 2000/XP/2003, the dynamic registry on 95/98/ME, and
// the PCI configuration scan where the port-I/O library can reach the ports.
class CDevDetect : public CDevInfoCtrl {
  public:
    CDevDetect();
    explicit CDevDetect(DetectPlatform& platform);
    ~CDevDetect() override;

    int DetectDevices(std::string className, CDevList* list) override;
    void GetSWInfo(SWInfo* info) override;
    // False when the dump could not be written (for example a missing folder or a read-only file).
    bool WriteDumpFile(std::string path) override;
    bool SetDumpFile(std::string path) override;
    std::string ExpandVariables(std::string text) override;

  private:
    bool DetectSetupDevices(const std::string& className, bool skipPci, CDevList* list);
    void DetectRegistryDevices(CDevList* list);
    void AddScannedFunctions(CDevList* list);
    void AddDevice(bool atHead, const std::string& id, const char* classKey, const std::string& driverKey,
                   CDevList* list);

    DetectPlatform& m_platform;
    SWInfo m_info;
    std::string m_strScanSkipped; // why this machine's PCI functions were not scanned; "" when they were
};

#pragma once
#include "core/DevInfoCtrl.h"

class ProfileStore;

// Answers the detection interface from a dump file written on another machine.
class CDevSimulation : public CDevInfoCtrl {
  public:
    CDevSimulation();
    explicit CDevSimulation(ProfileStore& store);

    int DetectDevices(std::string className, CDevList* list) override;
    void GetSWInfo(SWInfo* info) override;
    bool WriteDumpFile(std::string path) override;
    bool SetDumpFile(std::string path) override;
    std::string ExpandVariables(std::string text) override;

  private:
    ProfileStore& m_store;
    SWInfo m_info;
};

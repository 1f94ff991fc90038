#pragma once
#include <string>
#include <vector>

#include "core/DevInfoCtrl.h"

class ProfileStore;

// The detection dump: section "HWInfo" holds one hardware id per key, section "SWInfo" the
// board model ("Model"), the system name ("OS"), the language code ("Lang") and, where the PCI
// functions were not scanned, why ("PciScan").
class CDumpFile {
  public:
    explicit CDumpFile(std::string path);
    CDumpFile(std::string path, ProfileStore& store);
    virtual ~CDumpFile() = default;

    // Replaces the whole "HWInfo" section (other sections stay); false when any write failed.
    bool Write(const CDevList& list, const SWInfo& info,
               const std::string& scanSkipped = std::string()) const;
    // The value of every key of "HWInfo", in file order, however long the section is.
    std::vector<std::string> ReadIds() const;
    SWInfo ReadSWInfo() const;

  private:
    std::vector<std::string> ReadKeyNames(const char* section) const;

    std::string m_strPath;
    ProfileStore& m_store;
};

#pragma once
#include <string>

#include "core/CdFolder.h"
#include "core/CdPage.h"
#include "core/IniFile.h"
#include "core/MenuModel.h"

class CDevInfoCtrl;
class ProfileReadLog;
class ProfileStore;
class SystemFacts;

// Reads a CD folder the way the program reads it on one machine: `facts` is the machine (its Path the
// CD folder), `detect` its detection. The tools build on this what they show or check.
class CdReader {
  public:
    CdReader(const CdFolder& cd, ProfileStore& store, SystemFacts& facts, CDevInfoCtrl& detect,
             ProfileReadLog* log = nullptr);

    CIniFile Ini(const std::string& local) const;
    // The program's Root.ini in the folder; empty when it is not there.
    std::string RootFile() const;

    MenuModel Menu(const CDevList& devices) const;
    // As the program names it, variables replaced.
    std::string Background(const CDevList& devices) const;
    std::string StartWindow() const;
    CdPage Page(const TabModel& tab, const CDevList& devices) const;

  private:
    std::string Local(const std::string& path) const;

    const CdFolder& m_cd;
    ProfileStore& m_store;
    SystemFacts& m_facts;
    CDevInfoCtrl& m_detect;
    ProfileReadLog* m_pLog;
};

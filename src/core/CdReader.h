#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/CdFolder.h"
#include "core/IniFile.h"
#include "core/InstallSequence.h"
#include "core/MenuModel.h"
#include "core/PageModel.h"

class CDevInfoCtrl;
class ProfileReadLog;
class ProfileStore;
class SystemFacts;

// One tab's page as the program builds it, with what the page brings beyond its page file.
struct CdPage {
    TabModel tab;
    std::string local; // the page file in the CD folder; empty when it is not there
    PageModel page;
    // SingleInstall: what each step does, from step 1 to the end of the sequence.
    std::vector<CInstallSequence::Action> steps;
    // Liveupdate: the start page, and LiveUpdate.ini in the CD folder (empty when it is not there).
    std::optional<LiveStartModel> live;
    std::string liveLocal;
};

// One tab's page as the program builds it from its page file `page`; `liveUpdate` and the user's
// language `userLang` make the start page of a Liveupdate page.
CdPage BuildCdPage(const TabModel& tab, const CIniFile& page, const CDevList& devices, CDevInfoCtrl& detect,
                   const CIniFile& liveUpdate, const std::string& userLang);

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

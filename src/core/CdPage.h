#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/IniFile.h"
#include "core/InstallSequence.h"
#include "core/MenuModel.h"
#include "core/PageModel.h"

class CDevInfoCtrl;

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

// The page whose sequence a run without a window installs: the first, in tab order, with an install
// button; null when no page has one.
const CdPage* InstallPage(const std::vector<CdPage>& pages);

// One tab's page as the program builds it from its page file `page`; `liveUpdate` and the user's
// language `userLang` make the start page of a Liveupdate page.
CdPage BuildCdPage(const TabModel& tab, const CIniFile& page, const CDevList& devices, CDevInfoCtrl& detect,
                   const CIniFile& liveUpdate, const std::string& userLang);

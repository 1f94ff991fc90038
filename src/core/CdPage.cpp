#include "core/CdPage.h"

#include "core/DevInfoCtrl.h"
#include "core/StartPage.h"

CdPage BuildCdPage(const TabModel& tab, const CIniFile& page, const CDevList& devices, CDevInfoCtrl& detect,
                   const CIniFile& liveUpdate, const std::string& userLang) {
    CdPage p;
    p.tab = tab;
    p.page = BuildPageModel(page, tab.id, devices, detect);
    if (p.page.install) {
        SWInfo info;
        detect.GetSWInfo(&info);
        const std::string section = p.page.install->section;
        CInstallSequence steps(
            [&](const std::string& key, bool substituted, const std::string& def) {
                return substituted ? page.GetValue(section, key, def) : page.GetString(section, key, def);
            },
            info.Lang);
        for (int n = 1; p.steps.empty() || p.steps.back().kind != CInstallSequence::Action::Kind::Finish; ++n)
            p.steps.push_back(steps.StartStep(n));
    }
    if (p.page.type == PageType::Liveupdate) p.live = BuildLiveStartModel(liveUpdate, userLang);
    return p;
}

const CdPage* InstallPage(const std::vector<CdPage>& pages) {
    for (const CdPage& p : pages)
        if (p.page.install) return &p;
    return nullptr;
}

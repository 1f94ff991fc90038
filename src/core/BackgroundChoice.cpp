#include "core/BackgroundChoice.h"

#include "core/IniFile.h"
#include "core/TextCompare.h"

namespace {
const char kAuto[] = "AutoDetectBg";
const char kDefault[] = "Default";
} // namespace

std::string ChooseBackground(const CIniFile& ini, const CDevList& devices) {
    std::string bg = ini.GetValue("Root", "Background", "");
    if (!EqualsNoCase(bg, kAuto)) return bg;
    bg = kDefault;
    for (const CDevInfo& d : devices) {
        const std::string& key = !d.VenDevSubsys.empty() ? d.VenDevSubsys
                                 : !d.VenDev.empty()     ? d.VenDev
                                                         : d.SubsysId;
        if (key.empty()) continue;
        bg = ini.GetValue(kAuto, key, kDefault);
        if (bg != kDefault) break;
    }
    if (bg == kDefault) bg = ini.GetValue(kAuto, kDefault, "");
    return bg;
}

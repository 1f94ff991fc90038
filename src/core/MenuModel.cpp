#include "core/MenuModel.h"

#include <set>

#include "core/IniFile.h"

const char* const kMakerWebSite = "http://www.vorn.example/";

std::string RootIniPath(const std::string& programFolder) {
    return programFolder + "\\Root.ini";
}

namespace {
const char* const kRoot = "Root";

// The first device with a non-empty value under its VenDevSubsys key in `section`.
std::string ByModel(const CIniFile& root, const char* section, const CDevList& devices) {
    for (const CDevInfo& d : devices) {
        if (d.VenDevSubsys.empty()) continue;
        std::string s = root.GetValue(section, d.VenDevSubsys, "");
        if (!s.empty()) return s;
    }
    return {};
}

FixedButtonModel FixedButton(const CIniFile& root, const char* key, const char* defRect, std::string caption,
                             int id) {
    return {std::move(caption), id, ParseRect(root.GetValue(kRoot, key, defRect)), key};
}

std::string TabKey(int n) {
    return "TabButton" + std::to_string(n);
}
} // namespace

void RemoveDuplicateDevices(CDevList& devices) {
    std::set<std::string> subsys, ids;
    for (auto it = devices.begin(); it != devices.end();) {
        bool dup = (!it->VenDevSubsys.empty() && subsys.count(it->VenDevSubsys)) ||
                   (!it->HardwareId.empty() && ids.count(it->HardwareId));
        if (dup) {
            it = devices.erase(it);
            continue;
        }
        if (!it->VenDevSubsys.empty()) subsys.insert(it->VenDevSubsys);
        if (!it->HardwareId.empty()) ids.insert(it->HardwareId);
        ++it;
    }
}

MenuModel BuildMenuModel(const CIniFile& root, const CDevList& devices, const std::string& lang) {
    MenuModel m;
    m.defaultCaption = root.GetValue(kRoot, "DefaultCaption", "");
    m.subCaption = root.GetValue(kRoot, "SubCaption", "");
    m.readMe = root.GetValue(kRoot, "ReadMe", "");
    if (m.subCaption == "ByModel") m.subCaption = ByModel(root, "SubCaption", devices);
    if (m.readMe == "ByModel") m.readMe = ByModel(root, "ReadMe", devices);

    // Only the plain Caption decides whether a tab takes a slot, even if Type hides it.
    int visible = 0;
    while (!root.GetString(kRoot, TabKey(int(m.tabSections.size()) + 1), "").empty()) {
        std::string section = root.GetValue(kRoot, TabKey(int(m.tabSections.size()) + 1), "");
        if (!root.GetValue(section, "Caption", "").empty()) ++visible;
        m.tabSections.push_back(section);
    }
    // No counted tab leaves no width to share: the row stays empty.
    if (visible > 0) {
        m.tabWidth = (610 - 10 * visible) / visible;
        for (const std::string& section : m.tabSections) {
            if (root.GetValue(section, "Type", "") == "1") continue;
            std::string caption = root.GetLangValue(section, "Caption", lang);
            if (caption.empty()) continue;
            int k = int(m.tabs.size()) + 1;
            Rect r{40 + (k - 1) * m.tabWidth, 80, 30 + k * m.tabWidth, 120};
            m.tabs.push_back({section, caption, root.GetValue(section, "File", ""), kFirstTabId + k - 1, r});
        }
    }

    m.close = FixedButton(root, "CloseButton", "520, 420, 600, 460", "Close", kCloseId);
    m.web = FixedButton(root, "WebButton", "30, 420, 110, 460", "", kWebId);
    m.hasBrowse = root.GetValue(kRoot, "BrowseCD", "NO") == "YES";
    if (m.hasBrowse)
        m.browse = FixedButton(root, "BrowseCDButton", "180, 420, 270, 460", "Browse CD", kBrowseId);
    return m;
}

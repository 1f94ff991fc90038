#include "core/PageModel.h"

#include <algorithm>
#include <list>

#include "core/DevInfoCtrl.h"
#include "core/IniFile.h"
#include "core/MenuModel.h"
#include "core/SectionNames.h"
#include "core/TextCompare.h"
#include "core/WordTable.h"

namespace {
const char* const kIniInfo = "IniInfo";

// Reads one page file for one tab; the builders below fill `m` in the page's own order.
class PageReader {
  public:
    PageReader(const CIniFile& ini, int tabId, CDevInfoCtrl& detect)
        : m_ini(ini), m_tabId(tabId), m_detect(detect) {
        detect.GetSWInfo(&m_info);
    }

    PageModel Build(const CDevList& devices);

  private:
    std::string Plain(const std::string& section, const std::string& key) const {
        return m_ini.GetString(section, key, "");
    }
    std::string Expanded(const std::string& section, const std::string& key) const {
        return m_detect.ExpandVariables(Plain(section, key));
    }
    // The language variant when it has text, else the key itself.
    std::string VariantFirst(const std::string& section, const std::string& key, bool substituted) const {
        std::string variant = key + "." + m_info.Lang;
        std::string v = substituted ? m_ini.GetValue(section, variant, "") : Plain(section, variant);
        if (!v.empty()) return v;
        return substituted ? m_ini.GetValue(section, key, "") : Plain(section, key);
    }
    int EntryCount(const std::string& section) const {
        return std::min(m_ini.GetInt(section, "BtnNum", 0), kMaxButtonEntries);
    }

    PageButtonModel ExecButton(const std::string& section, int order) const;
    void AddNormalEntries(const std::string& list, bool expand);
    void BuildDriverPage(const CDevList& devices);
    void BuildModelPage(const CDevList& devices);
    void BuildSingleInstallPage();
    void LayoutPage();

    const CIniFile& m_ini;
    int m_tabId;
    CDevInfoCtrl& m_detect;
    SWInfo m_info;
    PageModel m;
};

PageButtonModel PageReader::ExecButton(const std::string& section, int order) const {
    PageButtonModel b;
    b.section = section;
    b.caption = VariantFirst(section, "Caption", false);
    b.behavior = VariantFirst(section, "Behavior", false);
    b.file = VariantFirst(section, "File", true);
    b.note = m_ini.GetLangString(section, "Note", m_info.Lang);
    b.order = order;
    // Ids count creation, not place: a Driver page may insert a later button above earlier ones.
    b.id = PageColumn::ButtonId(m_tabId, int(m.buttons.size()));
    return b;
}

// Normal pages and the button lists of MBDependent pages: "Button" + n of `list` names a section,
// which becomes a button when its Type is "1". Model sections are expanded, Default substituted.
void PageReader::AddNormalEntries(const std::string& list, bool expand) {
    int n = EntryCount(list);
    for (int i = 1; i <= n; ++i) {
        std::string key = "Button" + std::to_string(i);
        std::string section = expand ? Expanded(list, key) : m_ini.GetValue(list, key, "");
        std::string type = expand ? Expanded(section, "Type") : m_ini.GetValue(section, "Type", "");
        if (type == "1") m.buttons.push_back(ExecButton(section, 0));
        m.entries.push_back({list, key, section});
    }
}

void PageReader::BuildDriverPage(const CDevList& devices) {
    const CSectionNames sections(m_ini);
    const std::list<std::string>& names = sections.List();
    const std::string os = "." + m_info.DetectOS;
    for (const CDevInfo& d : devices) {
        std::vector<std::string> candidates{d.HardwareId + os, d.HardwareId,        d.VenDevSubsysCc + os,
                                            d.VenDevSubsysCc,  d.VenDevSubsys + os, d.VenDevSubsys};
        if (!d.ClassCode.empty()) {
            std::string cc = d.VenDev + "&CC_" + d.ClassCode;
            candidates.insert(candidates.end(), {cc + os, cc});
        }
        candidates.insert(candidates.end(), {d.VenDev + os, d.VenDev});
        auto found = std::find_if(candidates.begin(), candidates.end(), [&](const std::string& s) {
            return sections.MayHave(s) && !Plain(s, "Type").empty();
        });
        if (found == candidates.end()) continue;
        const std::string& section = *found;

        // Sections are found regardless of case, but only an exact name gives a position.
        auto at = std::find(names.begin(), names.end(), section);
        int order = at == names.end() ? 0 : int(std::distance(names.begin(), at));
        PageButtonModel b = ExecButton(section, order);
        b.changeCurrDir = m_ini.GetInt(section, "ChangeCurrDir", 0);
        b.device = &d;
        auto before = std::find_if(m.buttons.begin(), m.buttons.end(),
                                   [&](const PageButtonModel& o) { return o.order > order; });
        m.buttons.insert(before, std::move(b));
    }
}

void PageReader::BuildModelPage(const CDevList& devices) {
    for (const CDevInfo& d : devices) {
        std::string model;
        for (const std::string* key : {&d.SubsysId, &d.VenDevSubsys, &d.VenDev}) {
            if (!key->empty()) model = Expanded("ModelIndex", *key);
            if (!model.empty()) break;
        }
        if (model.empty()) continue;
        // The first device that names a model decides, even when the model lists no button.
        AddNormalEntries(model, true);
        return;
    }
    AddNormalEntries("Default", false);
}

void PageReader::BuildSingleInstallPage() {
    std::string section = m_info.MBModel + "." + m_info.DetectOS;
    if (Plain(section, "Caption").empty()) section = m_info.MBModel;
    std::string caption = Expanded(section, "Caption." + m_info.Lang);
    if (caption.empty()) caption = Plain(section, "Caption");
    std::string note = Expanded(section, "Note." + m_info.Lang);
    if (note.empty()) note = Plain(section, "Note");
    if (caption.empty()) return;
    m.install =
        InstallButtonModel{caption, note, section, PageColumn::ButtonId(m_tabId, 0), PageColumn::Slot(0)};
}

void PageReader::LayoutPage() {
    for (std::size_t g = 0; g < m.buttons.size(); ++g)
        m.buttons[g].rect = PageColumn::Slot(int(g));
}

PageModel PageReader::Build(const CDevList& devices) {
    m.iniType = m_ini.GetValue(kIniInfo, "IniType", "");
    m.type = PageTypeOf(m.iniType);
    switch (m.type) {
    case PageType::Normal:
        AddNormalEntries(kIniInfo, true);
        break;
    case PageType::Driver:
        BuildDriverPage(devices);
        break;
    case PageType::MBDependent:
        BuildModelPage(devices);
        break;
    case PageType::SingleInstall:
        BuildSingleInstallPage();
        break;
    case PageType::Liveupdate:
    case PageType::None:
        break;
    }
    LayoutPage();
    return std::move(m);
}
} // namespace

PageType PageTypeOf(const std::string& iniType) {
    for (const PageTypeName& t : kPageTypes)
        if (EqualsNoCase(iniType, t.word)) return t.type;
    return PageType::None;
}

std::string PageTypeNameOf(PageType type) {
    return WordOf(kPageTypes, &PageTypeName::type, type);
}

std::string PageTypeList() {
    return WordList(kPageTypes);
}

Rect PageColumn::Slot(int index) {
    const int top = kTop + kStep * index;
    return {kLeft, top, kLeft + kWidth, top + kHeight};
}

int PageColumn::ButtonId(int tabId, int made) {
    return 10 * (tabId - kFirstTabId + 1) + made;
}

PageModel BuildPageModel(const CIniFile& page, int tabId, const CDevList& devices, CDevInfoCtrl& detect) {
    return PageReader(page, tabId, detect).Build(devices);
}

LiveStartModel BuildLiveStartModel(const CIniFile& liveUpdate, const std::string& lang) {
    const char* const kInterface = "INTERFACE";
    // Any side left out drops the whole rectangle back to its fixed place.
    auto rect = [&](const char* prefix, Rect def) {
        const char* sides[] = {"Left", "Top", "Right", "Bottom"};
        int v[4];
        for (int i = 0; i < 4; ++i) {
            v[i] = liveUpdate.GetInt(kInterface, std::string(prefix) + sides[i], -1);
            if (v[i] == -1) return def;
        }
        return Rect{v[0], v[1], v[2], v[3]};
    };
    LiveStartModel s;
    s.message = liveUpdate.GetLangString(kInterface, "LiveUpdate StartPage Message", lang);
    s.messageRect = rect("StcStartMsg", {50, 150, 600, 400});
    s.caption = liveUpdate.GetLangString(kInterface, "Update Start Button Caption", lang);
    s.buttonRect = rect("BtnStart", {500, 350, 620, 400});
    return s;
}

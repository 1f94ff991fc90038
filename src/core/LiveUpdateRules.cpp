#include "core/LiveUpdateRules.h"

#include <algorithm>
#include <cctype>

#include "core/ExecAction.h"
#include "core/FolderPlan.h"
#include "core/FtpPath.h"
#include "core/IniFile.h"
#include "core/TextCompare.h"

namespace {
std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + with.size()))
        text.replace(p, what.size(), with);
    return text;
}

bool IsAbsolute(const std::string& path) {
    bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                 (path[2] == '\\' || path[2] == '/');
    bool unc = path.size() > 2 && path.compare(0, 2, "\\\\") == 0 && path[2] != '\\' && path[2] != '/';
    return drive || unc;
}
} // namespace

namespace LiveUpdate {

std::string LiveFolder(std::string tempPath) {
    if (!IsAbsolute(tempPath)) return {};
    if (tempPath.back() != '\\' && tempPath.back() != '/') tempPath += '\\';
    return tempPath + "Live\\";
}

FtpSite ReadFtpSite(const CIniFile& ini, const std::string& section) {
    FtpSite site;
    site.host = ini.GetString(section, "IP", "");
    site.user = ini.GetString(section, "ID", "");
    site.password = ini.GetString(section, "PASSWORD", "");
    site.port = ini.GetInt(section, "PORT", 0);
    site.rootDir = ini.GetString(section, "ROOT DIR", "");
    return site;
}

std::string ModelFolder(const CDevList& devices,
                        const std::function<std::string(const std::string&)>& lookup) {
    std::string value;
    for (const CDevInfo& d : devices) {
        value = lookup(d.VenDevSubsys);
        if (value != "NULL") break;
    }
    return Lower(value);
}

std::vector<std::string> SectionCandidates(const CDevInfo& d, const std::string& os) {
    return {d.HardwareId + "." + os,   d.HardwareId,  d.VenDev + "." + os, d.VenDev,
            d.VenDevSubsys + "." + os, d.VenDevSubsys};
}

std::vector<ButtonPlan> PlanButtons(const CDevList& devices, const std::string& os,
                                    const std::list<std::string>& sectionNames,
                                    const std::function<bool(const std::string&)>& hasType) {
    std::vector<ButtonPlan> plans;
    int index = 0;
    for (const CDevInfo& d : devices) {
        for (const std::string& section : SectionCandidates(d, os)) {
            if (!hasType(section)) continue;
            auto it = std::find(sectionNames.begin(), sectionNames.end(), section);
            int order = static_cast<int>(std::distance(sectionNames.begin(), it));
            ButtonPlan plan{&d, section, order, index++};
            auto at =
                std::upper_bound(plans.begin(), plans.end(), plan,
                                 [](const ButtonPlan& a, const ButtonPlan& b) { return a.order < b.order; });
            plans.insert(at, plan);
            break;
        }
    }
    return plans;
}

std::string BehaviorAction(const std::string& behavior) {
    for (const ActionWord& w : kActionWords)
        if (EqualsNoCase(behavior, w.word)) return ActionWordOf(w.fetch);
    return {};
}

std::string WithModel(std::string file, const std::string& model) {
    return ReplaceAll(std::move(file), "<Path>", "<Path>" + model);
}

std::string FetchRemotePath(const std::string& file, const std::string& root) {
    return ReplaceAll(Lower(file), "<path>\\", Lower(root));
}

std::string FetchLocalName(const std::string& remote) {
    std::size_t slash = remote.rfind('\\');
    std::string name = slash == std::string::npos ? remote : remote.substr(slash + 1);
    return FtpPath::IsSafeName(name) ? name : std::string();
}

const char kNoValue[] = "\n";

CHashList SectionHashes(const std::function<std::string(const std::string& key)>& read) {
    CHashList list;
    std::string value = read("SHA256");
    if (value != kNoValue) list.AddFile(value);
    // A folder holds no more files than a walk takes.
    for (std::size_t n = 1; n <= CFolderPlan::kMaxEntries; ++n) {
        value = read("SHA256." + std::to_string(n));
        if (value == kNoValue) break;
        list.AddEntry(value);
    }
    return list;
}

} // namespace LiveUpdate

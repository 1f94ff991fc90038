#include "core/DevInfoCtrl.h"

#include "core/Token.h"

void CDevInfoCtrl::AddDeviceTail(const std::string& id, CDevList* list, const std::string& version,
                                 const std::string& date, const std::string& provider,
                                 const std::string& inf) {
    list->emplace_back(id, version, date, provider, inf);
}

void CDevInfoCtrl::AddDeviceHead(const std::string& id, CDevList* list, const std::string& version,
                                 const std::string& date, const std::string& provider,
                                 const std::string& inf) {
    list->emplace_front(id, version, date, provider, inf);
}

// Unlike the variable substitution, any syntax error empties the whole result.
std::string CDevInfoCtrl::ExpandTags(const std::string& text, const SWInfo& info) {
    std::string result;
    const bool ok = ExpandReferences(
        text,
        [&info](const std::string& name) {
            return name == "DetectOS"  ? info.DetectOS
                   : name == "Lang"    ? info.Lang
                   : name == "MBModel" ? info.MBModel
                                       : std::string();
        },
        result);
    return ok ? result : std::string();
}

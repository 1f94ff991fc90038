#include "core/DevInfoCtrl.h"

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
    std::string result, name;
    bool open = false;
    for (char c : text) {
        if (c == '<') {
            if (open) return {};
            open = true;
            name.clear();
        } else if (c == '>') {
            if (!open) return {};
            if (name == "DetectOS")
                result += info.DetectOS;
            else if (name == "Lang")
                result += info.Lang;
            else if (name == "MBModel")
                result += info.MBModel;
            open = false;
        } else {
            (open ? name : result) += c;
        }
    }
    return open ? std::string() : result;
}

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

bool CDevInfoCtrl::TagValue(const std::string& name, const SWInfo& info, std::string& value) {
    const std::pair<const char*, const std::string*> tags[] = {
        {"DetectOS", &info.DetectOS}, {"Lang", &info.Lang}, {"MBModel", &info.MBModel}};
    for (const auto& t : tags)
        if (name == t.first) {
            value = *t.second;
            return true;
        }
    return false;
}

// Unlike the variable substitution, any syntax error empties the whole result.
std::string CDevInfoCtrl::ExpandTags(const std::string& text, const SWInfo& info) {
    std::vector<TextPiece> pieces;
    if (!CToken::SplitReferences(text, pieces)) return {};
    std::string result, value;
    for (const TextPiece& p : pieces) {
        if (!p.reference)
            result += p.text;
        else if (TagValue(p.text, info, value))
            result += value;
    }
    return result;
}

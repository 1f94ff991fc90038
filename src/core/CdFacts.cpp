#include "core/CdFacts.h"

CdFacts::CdFacts(std::string path, SWInfo machine)
    : m_strPath(std::move(path)), m_machine(std::move(machine)) {}

OsFlags CdFacts::Os() {
    return OsFlagsNamed(m_machine.DetectOS);
}

unsigned CdFacts::UserDefaultLangId() {
    return LanguageId(m_machine.Lang);
}

std::string CdFacts::QueryWMI(const std::string& className, const std::string& property) {
    return className == "Win32_BaseBoard" && property == "Product" ? m_machine.MBModel : std::string();
}

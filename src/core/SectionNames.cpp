#include "core/SectionNames.h"

#include <algorithm>

#include "core/IniFile.h"
#include "core/TextCompare.h"

namespace {
bool IsAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
} // namespace

CSectionNames::CSectionNames(const CIniFile& ini) {
    m_bConclusive = std::size_t(ini.GetSectionNames(m_names)) + 2 < CIniFile::kListSize &&
                    std::all_of(m_names.begin(), m_names.end(), IsAscii);
}

bool CSectionNames::MayHave(const std::string& s) const {
    const bool comparesAsIs = !s.empty() && s.front() > ' ' && s.back() > ' ' && IsAscii(s);
    return !m_bConclusive || !comparesAsIs ||
           std::any_of(m_names.begin(), m_names.end(),
                       [&](const std::string& n) { return EqualsNoCase(n, s); });
}

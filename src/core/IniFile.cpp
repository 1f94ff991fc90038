#include "core/IniFile.h"

#include "core/ProfileReadLog.h"
#include "core/ProfileStore.h"
#include "core/SystemFacts.h"
#include "core/Token.h"

#include <algorithm>
#include <vector>

namespace {
const std::size_t kValueSize = 2048;

// Splits the first `count` bytes of a profile list at its NULs; a last piece without NUL (a name the
// call had to cut) still counts. The count is trusted only as far as the buffer goes.
std::list<std::string> SplitNames(const std::vector<char>& buf, std::size_t count) {
    std::list<std::string> names;
    count = std::min(count, buf.size() - 1);
    for (std::size_t pos = 0; pos < count;) {
        std::size_t end = pos;
        while (end < count && buf[end] != '\0')
            ++end;
        names.emplace_back(&buf[pos], end - pos);
        pos = end + 1;
    }
    return names;
}
} // namespace

CIniFile::CIniFile(std::string path) : CIniFile(std::move(path), DefaultProfileStore()) {}
CIniFile::CIniFile(std::string path, ProfileStore& store)
    : CIniFile(std::move(path), store, DefaultSystemFacts()) {}
CIniFile::CIniFile(std::string path, ProfileStore& store, SystemFacts& facts, ProfileReadLog* log)
    : m_strPath(std::move(path)), m_pStore(&store), m_pFacts(&facts), m_pLog(log) {}

std::string CIniFile::Read(const std::string& section, const std::string& key, const std::string& def) const {
    char buf[kValueSize];
    std::size_t n =
        m_pStore->GetString(section.c_str(), key.c_str(), def.c_str(), buf, sizeof buf, m_strPath.c_str());
    return std::string(buf, std::min(n, sizeof buf - 1));
}

std::string CIniFile::GetString(std::string section, std::string key, std::string def) const {
    std::string text = Read(section, key, def);
    if (m_pLog) m_pLog->OnRead(m_strPath, section, key, ProfileReadLog::Mode::Plain, text, text);
    return text;
}

std::string CIniFile::GetValue(std::string section, std::string key, std::string def) const {
    std::string text = Read(section, key, def);
    std::string value = CToken(*m_pFacts).ExpandVariables(text);
    if (m_pLog) m_pLog->OnRead(m_strPath, section, key, ProfileReadLog::Mode::Substituted, text, value);
    return value;
}

int CIniFile::GetInt(std::string section, std::string key, int def) const {
    int value = static_cast<int>(m_pStore->GetInt(section.c_str(), key.c_str(), def, m_strPath.c_str()));
    if (m_pLog)
        m_pLog->OnRead(m_strPath, section, key, ProfileReadLog::Mode::Integer, Read(section, key, ""),
                       std::to_string(value));
    return value;
}

bool CIniFile::WriteString(std::string section, std::string key, std::string value) const {
    return m_pStore->WriteString(section.c_str(), key.c_str(), value.c_str(), m_strPath.c_str());
}

bool CIniFile::WriteInt(std::string section, std::string key, int value) const {
    return WriteString(section, key, std::to_string(value));
}

// Names are kept whole however long they are: copying them through a fixed name buffer would overrun
// it and lose the names after a long one.
int CIniFile::GetSectionNames(std::list<std::string>& list) const {
    std::vector<char> buf(kListSize, '\0');
    std::size_t n = m_pStore->GetSectionNames(buf.data(), buf.size(), m_strPath.c_str());
    list.splice(list.end(), SplitNames(buf, n));
    return static_cast<int>(n);
}

// Each line ends at a NUL inside the reported count; a piece after the last NUL was cut and is dropped.
int CIniFile::GetSection(std::string section, std::list<std::string>& list) const {
    std::vector<char> buf(kListSize, '\0');
    std::size_t n = m_pStore->GetSection(section.c_str(), buf.data(), buf.size(), m_strPath.c_str());
    std::size_t count = std::min(n, buf.size() - 1);
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        if (buf[i] != '\0') {
            line += buf[i];
            continue;
        }
        list.push_back(line);
        line.clear();
    }
    return static_cast<int>(n);
}

int CIniFile::GetKeyNames(std::string section, std::list<std::string>& list) const {
    std::list<std::string> lines;
    GetSection(section, lines);
    for (const auto& line : lines)
        list.push_back(line.substr(0, line.find('=')));
    return static_cast<int>(list.size());
}

std::string CIniFile::GetLangString(std::string section, std::string key, std::string lang) const {
    return GetString(section, key + "." + lang, GetString(section, key, ""));
}

std::string CIniFile::GetLangValue(std::string section, std::string key, std::string lang) const {
    std::string v = GetString(section, key + "." + lang, "");
    return v.empty() ? GetValue(section, key, "") : v;
}

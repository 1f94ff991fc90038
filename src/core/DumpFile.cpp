#include "core/DumpFile.h"

#include "core/IniFile.h"
#include "core/ProfileStore.h"

namespace {
const char kHwInfo[] = "HWInfo";
const char kSwInfo[] = "SWInfo";
const std::size_t kFirstBuffer = 5096, kLargestBuffer = 64u << 20;
} // namespace

CDumpFile::CDumpFile(std::string path) : CDumpFile(std::move(path), DefaultProfileStore()) {}
CDumpFile::CDumpFile(std::string path, ProfileStore& store) : m_strPath(std::move(path)), m_store(store) {}

bool CDumpFile::Write(const CDevList& list, const SWInfo& info, const std::string& scanSkipped) const {
    // Keys of an earlier, longer dump would otherwise mix two machines in one file.
    m_store.WriteString(kHwInfo, nullptr, nullptr, m_strPath.c_str());
    CIniFile ini(m_strPath, m_store);
    bool ok = true;
    int counter = 0;
    for (const CDevInfo& dev : list)
        ok = ini.WriteString(kHwInfo, "HWID" + std::to_string(counter++), dev.HardwareId) && ok;
    ok = ini.WriteString(kSwInfo, "Model", info.MBModel) && ok;
    ok = ini.WriteString(kSwInfo, "OS", info.DetectOS) && ok;
    ok = ini.WriteString(kSwInfo, "Lang", info.Lang) && ok;
    // A note left by an earlier dump must not describe this machine.
    if (scanSkipped.empty())
        m_store.WriteString(kSwInfo, "PciScan", nullptr, m_strPath.c_str());
    else
        ok = ini.WriteString(kSwInfo, "PciScan", scanSkipped) && ok;
    return ok;
}

// The section read whole: a buffer the profile function fills up (it then reports size - 2) is
// doubled until the section fits, so a dump of any length replays all its keys.
std::vector<std::string> CDumpFile::ReadKeyNames(const char* section) const {
    std::vector<char> buf(kFirstBuffer);
    std::size_t n = m_store.GetSection(section, buf.data(), buf.size(), m_strPath.c_str());
    while (n + 2 >= buf.size() && buf.size() < kLargestBuffer) {
        buf.assign(buf.size() * 2, '\0');
        n = m_store.GetSection(section, buf.data(), buf.size(), m_strPath.c_str());
    }
    std::vector<std::string> names;
    std::string line;
    for (std::size_t i = 0; i < n && i < buf.size(); ++i) {
        if (buf[i] != '\0') {
            line += buf[i];
            continue;
        }
        names.push_back(line.substr(0, line.find('=')));
        line.clear();
    }
    return names;
}

std::vector<std::string> CDumpFile::ReadIds() const {
    CIniFile ini(m_strPath, m_store);
    std::vector<std::string> ids;
    for (const std::string& key : ReadKeyNames(kHwInfo))
        ids.push_back(ini.GetString(kHwInfo, key, "NULL"));
    return ids;
}

SWInfo CDumpFile::ReadSWInfo() const {
    CIniFile ini(m_strPath, m_store);
    return {ini.GetString(kSwInfo, "Model", ""), ini.GetString(kSwInfo, "OS", ""),
            ini.GetString(kSwInfo, "Lang", "")};
}

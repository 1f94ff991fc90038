#include "core/FolderPlan.h"

#include "core/FtpPath.h"

void CFolderPlan::Build(const Lister& list, const std::string& root, std::size_t room,
                        const std::atomic<int>* pAbort, CTransferReport& report) {
    m_list = &list;
    m_room = room;
    m_pAbort = pAbort;
    m_report = &report;
    if (!Walk(root, "") && report.m_stop == CTransferReport::Stop::None)
        report.m_stop = CTransferReport::Stop::NoFolder;
}

bool CFolderPlan::Walk(const std::string& source, const std::string& relative) {
    if (*m_pAbort == 1) {
        m_report->m_stop = CTransferReport::Stop::Aborted;
        return false;
    }
    std::vector<FolderEntry> entries;
    std::string here;
    if (!(*m_list)(source, here, entries)) {
        if (relative.empty()) return false;
        m_report->Add(relative, CTransferReport::Fault::NoFolder);
        return true;
    }
    m_entries += entries.size();
    if (m_entries > m_nMaxEntries) {
        m_report->m_stop = CTransferReport::Stop::TooMany;
        m_report->m_nEntryLimit = m_nMaxEntries;
        return false;
    }
    std::vector<std::string> folders;
    for (const FolderEntry& e : entries) {
        const std::string path = relative + e.name + (e.folder ? "/" : "");
        if (!FtpPath::IsSafeName(e.name))
            m_report->Add(relative + e.name, CTransferReport::Fault::Refused);
        else if (path.size() > m_room)
            m_report->Add(path, CTransferReport::Fault::TooLong);
        else if (e.folder)
            folders.push_back(e.name);
        else {
            m_files.push_back({path, here + e.name, e.size});
            m_dwTotal += e.size;
        }
    }
    for (const std::string& name : folders) {
        const std::string sub = relative + name + "/";
        m_folders.push_back(sub);
        if (!Walk(here + name + "/", sub)) return false;
    }
    return true;
}

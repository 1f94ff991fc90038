#include "core/DevSimulation.h"

#include "core/DumpFile.h"
#include "core/ProfileStore.h"

CDevSimulation::CDevSimulation() : CDevSimulation(DefaultProfileStore()) {}
CDevSimulation::CDevSimulation(ProfileStore& store) : m_store(store) {}

// The dump is replayed as the live detection built it: each entry goes to the head of the list.
int CDevSimulation::DetectDevices(std::string, CDevList* list) {
    std::vector<std::string> ids = CDumpFile(m_strDumpFile, m_store).ReadIds();
    for (const std::string& id : ids)
        AddDeviceHead(id, list, "", "", "", "");
    return static_cast<int>(ids.size());
}

void CDevSimulation::GetSWInfo(SWInfo* info) {
    *info = CDumpFile(m_strDumpFile, m_store).ReadSWInfo();
}

bool CDevSimulation::WriteDumpFile(std::string) {
    return false;
}

bool CDevSimulation::SetDumpFile(std::string path) {
    m_strDumpFile = std::move(path);
    GetSWInfo(&m_info);
    return true;
}

std::string CDevSimulation::ExpandVariables(std::string text) {
    return ExpandTags(text, m_info);
}

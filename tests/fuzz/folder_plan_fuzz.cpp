// A folder walk over listings a server made up: whatever they hold, the walk ends, every path it
// plans stays inside the folder and within its room, and the total is the sum of what it plans.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/FolderPlan.h"

// Input: NUL-separated names; a name's first byte says folder (odd) or file, and its size. Every
// folder lists the same names, so folders nest until the room or the entry limit ends them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<FolderEntry> entries;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\0', at);
        if (end == std::string::npos) end = text.size();
        if (end > at)
            entries.push_back({text.substr(at + 1, end - at - 1), (text[at] & 1) != 0,
                               static_cast<std::uint8_t>(text[at])});
        at = end + 1;
    }
    std::size_t listings = 0;
    CFolderPlan::Lister list = [&](const std::string& folder, std::string& here,
                                   std::vector<FolderEntry>& e) {
        ++listings;
        here = folder;
        e = entries;
        return true;
    };
    const std::size_t room = 40;
    CFolderPlan plan;
    plan.m_nMaxEntries = 2000;
    CTransferReport report;
    const std::atomic<int> never{0};
    plan.Build(list, "/root/", room, &never, report);
    if (listings > plan.m_nMaxEntries + 1) std::abort();
    auto inside = [&](const std::string& path) {
        return !path.empty() && path.size() <= room && path[0] != '/' &&
               path.find("..") == std::string::npos && path.find_first_of("\\:") == std::string::npos;
    };
    std::uint32_t total = 0;
    for (const std::string& folder : plan.m_folders)
        if (!inside(folder) || folder.back() != '/') std::abort();
    for (const CFolderPlan::File& f : plan.m_files) {
        if (!inside(f.path) || f.source != "/root/" + f.path) std::abort();
        total += f.size;
    }
    if (total != plan.m_dwTotal) std::abort();
    return 0;
}

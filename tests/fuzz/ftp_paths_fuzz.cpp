// Names and paths from servers and list files: whatever they hold, a name accepted for the local
// side never leaves its folder, and no rule reads out of bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/FtpPath.h"
#include "core/LiveUpdateRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t cut = text.find('\n');
    std::string file = text.substr(0, cut);
    std::string root = cut == std::string::npos ? std::string() : text.substr(cut + 1);

    std::string remote = LiveUpdate::FetchRemotePath(LiveUpdate::WithModel(file, root), root);
    std::string name = LiveUpdate::FetchLocalName(remote);
    if (!name.empty() && (!FtpPath::IsSafeName(name) || name.find_first_of("/\\:") != std::string::npos ||
                          name.find("..") != std::string::npos))
        std::abort();
    if (FtpPath::IsSafeName(file) && FtpPath::Normalise(file) != file) std::abort();

    std::string folder = FtpPath::Folder(root);
    for (const std::string& level : FtpPath::FolderLevels(folder))
        if (folder.compare(0, level.size(), level) != 0 || level.back() != '/') std::abort();
    if (FtpPath::TransferType(file) == FtpTransferType::ByName) std::abort();
    std::string live = LiveUpdate::LiveFolder(root);
    if (!live.empty() &&
        (live.compare(0, 2, root, 0, 2) != 0 || live.compare(live.size() - 5, 5, "Live\\") != 0))
        std::abort();
    return 0;
}

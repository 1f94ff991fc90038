#include "core/CurrentFolder.h"

namespace {
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// One level up; false when there is no level to go to that is not a drive root.
bool StepUp(CurrentFolder& current) {
    const std::string folder = current.Get();
    if (IsDriveRoot(folder)) return false;
    const std::size_t slash = folder.rfind('\\');
    if (slash == std::string::npos) return false;
    const std::string parent = folder.substr(0, slash);
    if (IsDriveRoot(parent)) return false;
    return current.Set(parent);
}
} // namespace

bool IsDriveRoot(const std::string& folder) {
    if (folder.size() != 2 && folder.size() != 3) return false;
    const char letter = Upper(folder[0]);
    return letter >= 'A' && letter <= 'Z' && folder[1] == ':' && (folder.size() == 2 || folder[2] == '\\');
}

bool IsAncestorFolder(const std::string& folder, const std::string& path) {
    if (folder.size() + 2 > path.size()) return false;
    for (std::size_t i = 0; i < folder.size(); ++i)
        if (Upper(folder[i]) != Upper(path[i])) return false;
    return path[folder.size()] == '\\';
}

void MoveCurrentFolderAbove(const std::string& path, CurrentFolder& current) {
    std::string folder = current.Get();
    while (!IsAncestorFolder(folder, path)) {
        if (!StepUp(current)) return;
        // Only a step that shortens the folder counts, so the walk always ends.
        const std::string now = current.Get();
        if (now.size() >= folder.size()) return;
        folder = now;
    }
}

#include "win32/FileManip.h"

#include "win32/Scoped.h"

#include <shellapi.h>

#include "core/CurrentFolder.h"

namespace {
class ProcessFolder : public CurrentFolder {
  public:
    std::string Get() override {
        char buf[MAX_PATH] = {};
        const DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
        return n < sizeof buf ? std::string(buf, n) : std::string();
    }
    bool Set(const std::string& folder) override { return SetCurrentDirectoryA(folder.c_str()) != 0; }
};
} // namespace

int CFileManip::GetPathKind(const std::string& pattern) {
    WIN32_FIND_DATAA fd;
    const CFindHandle find(FindFirstFileA(pattern.c_str(), &fd));
    if (!find) return PATH_NONE;
    int kind = PATH_FOLDERS;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) kind = PATH_FILES;
    } while (kind == PATH_FOLDERS && FindNextFileA(find.Get(), &fd));
    return kind;
}

BOOL CFileManip::DeleteFolder(const std::string& path, BOOL silent) {
    // The shell takes a list ending in two NULs. A path that does not fit whole is refused: cut
    // short it would name another folder, and that one would go.
    char from[MAX_PATH + 2] = {};
    if (path.empty() || path.size() > MAX_PATH || path.find('\0') != std::string::npos) return FALSE;
    path.copy(from, path.size());

    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from;
    op.fFlags = silent ? FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR : 0;

    ProcessFolder current;
    MoveCurrentFolderAbove(path, current);
    return SHFileOperationA(&op) == 0;
}

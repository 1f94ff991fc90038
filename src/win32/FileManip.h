#pragma once
#include <windows.h>

#include <string>

// File-system routines beyond opening files. Stateless.
class CFileManip {
  public:
    enum { PATH_NONE = 0, PATH_FOLDERS = 1, PATH_FILES = 2 };

    // What `pattern` (a path, possibly with wildcards) names: nothing, only folders, or at least
    // one file.
    static int GetPathKind(const std::string& pattern);
    // Deletes the folder `path` with everything in it, not into the recycle bin; `silent` asks
    // no questions. The current folder is first moved out of the way.
    static BOOL DeleteFolder(const std::string& path, BOOL silent);
};

#pragma once
#include <string>

// The process's current folder, as a seam: Windows' on Windows, a fake in tests.
class CurrentFolder {
  public:
    virtual ~CurrentFolder() = default;
    virtual std::string Get() = 0;
    virtual bool Set(const std::string& folder) = 0;
};

// "X:" or "X:\" for a letter X of either case.
bool IsDriveRoot(const std::string& folder);

// Whether `folder` lies above `path`: a case-blind prefix of it that ends right before one of its
// backslashes, at least two characters shorter. A drive root written with its backslash never is.
bool IsAncestorFolder(const std::string& folder, const std::string& path);

// Walks the current folder up until it is an ancestor of `path`, so that `path` can be deleted.
// The walk never enters a drive root, and ends at the first step that does not shorten the folder
// (a refused change, a network folder that has no drive root to reach).
void MoveCurrentFolderAbove(const std::string& path, CurrentFolder& current);

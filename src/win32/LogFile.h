#pragma once
#include <string>

#include "win32/Scoped.h"

// A text log that runs without a window write: each line goes to the end of the file at once, so a
// run that Windows ends leaves every line written so far.
class CLogFile {
  public:
    // Opens `path` to add to it, creating it when it is not there; false when it cannot be written
    // (a folder that is not there or not writable, a folder given as the file, a name too long).
    bool Open(const std::string& path);
    void Write(const std::string& line);
    const std::string& Path() const { return m_strPath; }

    // The log of a run that names none: Autorun.log in the temporary folder.
    static std::string DefaultPath();
    // `path` made absolute, so that a resumed run, started elsewhere, finds the same file.
    static std::string FullPath(const std::string& path);

  private:
    CHandle m_hFile;
    std::string m_strPath;
};

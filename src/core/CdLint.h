#pragma once
#include <memory>
#include <string>
#include <vector>

// One mistake or doubtful thing in a CD's INI files, where the author wrote it.
struct LintFinding {
    std::string path;    // the file, relative to the CD folder
    int line = 0;        // of the key; of the section header for the section; 0 for the whole file
    bool error = false;  // else a warning
    std::string section; // as written; empty for the whole file
    std::string key;     // as written; empty for the section or the whole file
    std::string message;

    // "PATH:LINE: error: [SECTION] KEY: message"
    std::string Text() const;
};

// Checks a CD folder as the program reads it: Root.ini and every file it leads to, read with the
// program's own reading code, for every system, language and board model that the CD's own files name.
class CdLint {
  public:
    explicit CdLint(std::string folder);

    // False when the CD cannot be checked at all (the folder cannot be read, it has no Root.ini, or
    // Root.ini cannot be read), with the reason in `why`.
    bool Run(std::string& why);
    // In the order of the files as the program comes to them, then of their lines.
    const std::vector<LintFinding>& Findings() const { return m_findings; }
    bool HasErrors() const;

  private:
    std::string m_strFolder;
    std::vector<LintFinding> m_findings;
};

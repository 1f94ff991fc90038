#pragma once
#include <map>
#include <string>

// A CD folder as the tools see it: the program would lie in it, so the variable Path names it, and a
// path the program opens is looked for in it as Windows looks, without regard to case.
class CdFolder {
  public:
    explicit CdFolder(const std::string& folder);

    // What "<Path>" gives for a program in this folder.
    const std::string& PathVariable() const { return m_strPath; }
    bool Readable() const;

    enum class Where { Outside, Missing, Found };
    // A path as the program opens it (variables replaced): not in the folder, missing, or found at
    // `local`. "." and ".." count as Windows counts them; a path that leaves the folder is outside.
    Where Find(const std::string& path, std::string& local) const;
    // A file of the folder by its name there ("Pages/Drivers.ini").
    std::string Relative(const std::string& local) const;

  private:
    Where Look(const std::string& path, std::string& local) const;

    std::string m_strLocal; // the folder, absolute
    std::string m_strPath;
    // What Find answered, by path: the folder does not change while a tool reads it.
    mutable std::map<std::string, std::pair<Where, std::string>> m_found;
};

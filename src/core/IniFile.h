#pragma once
#include <list>
#include <string>

class ProfileReadLog;
class ProfileStore;
class SystemFacts;

// The one access path to INI files. Stateless apart from its path: every read asks the store anew,
// whose answer is what the file holds now (the program's store keeps each file's text while it is
// unchanged).
class CIniFile {
  public:
    explicit CIniFile(std::string path);
    CIniFile(std::string path, ProfileStore& store);
    // Substitutes with the facts of `facts` instead of the running machine's, and tells `log` each read.
    CIniFile(std::string path, ProfileStore& store, SystemFacts& facts, ProfileReadLog* log = nullptr);
    virtual ~CIniFile() = default;

    std::string GetFileName() const { return m_strPath; }
    std::string GetString(std::string section, std::string key, std::string def) const;
    std::string GetValue(std::string section, std::string key, std::string def) const;
    int GetInt(std::string section, std::string key, int def) const;
    bool WriteString(std::string section, std::string key, std::string value) const;
    bool WriteInt(std::string section, std::string key, int value) const;
    // Lists are read into a buffer of kListSize bytes; a count of kListSize - 2 or more means the call
    // had to cut the list.
    static const std::size_t kListSize = 5096;
    int GetSectionNames(std::list<std::string>& list) const;
    int GetSection(std::string section, std::list<std::string>& list) const;
    int GetKeyNames(std::string section, std::list<std::string>& list) const;
    std::string GetLangString(std::string section, std::string key, std::string lang) const;
    std::string GetLangValue(std::string section, std::string key, std::string lang) const;

  private:
    std::string Read(const std::string& section, const std::string& key, const std::string& def) const;

    std::string m_strPath;
    ProfileStore* m_pStore;
    SystemFacts* m_pFacts;
    ProfileReadLog* m_pLog;
};

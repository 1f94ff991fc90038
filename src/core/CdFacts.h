#pragma once
#include "core/DevInfoCtrl.h"
#include "core/UnknownFacts.h"

// The machine a tool imagines running the program from a CD folder: the variable Path names the folder;
// the system, the user's language and the board (on the NT family, where the program asks WMI) are
// the given ones; every other fact is unknown.
class CdFacts : public UnknownFacts {
  public:
    CdFacts(std::string path, SWInfo machine);
    void SetMachine(const SWInfo& machine) { m_machine = machine; }
    void SetModernNames(bool yes) { m_bModernNames = yes; }

    std::string ModuleFileName() override { return m_strPath + "\\Autorun.exe"; }
    OsFlags Os() override;
    unsigned UserDefaultLangId() override;
    bool NamesModernWindows() override { return ModernNames(); }
    bool ModernNames() const { return m_bModernNames; }
    std::string QueryWMI(const std::string& className, const std::string& property) override;

  private:
    std::string m_strPath;
    SWInfo m_machine;
    bool m_bModernNames = false; // as the CD's Root.ini says, read by the tool
};

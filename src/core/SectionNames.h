#pragma once
#include <list>
#include <string>

class CIniFile;

// The section names of one file, read once, so that a search over many candidate sections need not
// ask the file (each profile call opens it anew) for those it cannot have.
class CSectionNames {
  public:
    explicit CSectionNames(const CIniFile& ini);

    // In file order.
    const std::list<std::string>& List() const { return m_names; }
    // False only when the profile calls would surely find no such section: they find names regardless
    // of ASCII case. A cut list, a name outside ASCII (whose case follows the code page), an empty name
    // (the lines before the first header, which lists leave out) or one with blanks to trim proves nothing.
    bool MayHave(const std::string& section) const;

  private:
    std::list<std::string> m_names;
    bool m_bConclusive;
};

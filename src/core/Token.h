#pragma once
#include <string>

class SystemFacts;

// Variable values and the substitution of "<Name>" references in INI texts. Values are computed
// anew at every lookup and kept whole, however long.
class CToken {
  public:
    CToken();
    explicit CToken(SystemFacts& facts);
    virtual ~CToken() = default;

    std::string GetVariable(const std::string& name);
    std::string ExpandVariables(const std::string& text);
    bool IsAdministrator();

    std::string QueryWMI(const std::string& className, const std::string& property);
    // `item` is "MBModel", "BIOSProvider" or "BIOSDate"; false (value untouched) without a DMI table.
    bool ReadDMI(const std::string& item, std::string& value);

  private:
    SystemFacts& m_facts;
};

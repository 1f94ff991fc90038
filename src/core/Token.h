#pragma once
#include <functional>
#include <string>

class SystemFacts;

// Replaces each "<name>" of `text` by resolve(name): one pass, no nesting, no escapes. False on a
// syntax error (a "<" inside a reference, a ">" outside one, a reference still open at the end),
// with `out` holding what was built before it.
bool ExpandReferences(const std::string& text, const std::function<std::string(const std::string&)>& resolve,
                      std::string& out);

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

#pragma once
#include <string>
#include <vector>

class SystemFacts;

// A piece of an INI text: literal text, or the name of a "<Name>" reference.
struct TextPiece {
    bool reference;
    std::string text;
};

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

    // Whether `name` is a variable (names compare with case).
    static bool IsVariable(const std::string& name);
    // Cuts `text` into literal runs and reference names. False at a syntax error (a "<" inside a
    // reference, a ">" outside one, a reference left open), with the pieces before the faulty character.
    static bool SplitReferences(const std::string& text, std::vector<TextPiece>& pieces);

    std::string QueryWMI(const std::string& className, const std::string& property);
    // `item` is "MBModel", "BIOSProvider" or "BIOSDate"; false (value untouched) without a DMI table.
    bool ReadDMI(const std::string& item, std::string& value);

  private:
    SystemFacts& m_facts;
};

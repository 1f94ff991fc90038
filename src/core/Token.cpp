#include "core/Token.h"

#include "core/SystemFacts.h"

namespace {
const unsigned kSyntaxError = 10000;
}

CToken::CToken() : m_facts(DefaultSystemFacts()) {}
CToken::CToken(SystemFacts& facts) : m_facts(facts) {}

std::string CToken::GetVariable(const std::string&) {
    return {};
}

// One pass, at most one open reference, no escapes and no nesting. On a syntax error the text
// built so far is the answer and the thread's last error says why.
std::string CToken::ExpandVariables(const std::string& text) {
    std::string result, name;
    bool open = false;
    for (char c : text) {
        if (c == '<') {
            if (open) break;
            open = true;
            name.clear();
        } else if (c == '>') {
            if (!open) {
                m_facts.SetLastError(kSyntaxError);
                return result;
            }
            result += GetVariable(name);
            open = false;
        } else {
            (open ? name : result) += c;
        }
    }
    if (open) m_facts.SetLastError(kSyntaxError);
    return result;
}

bool CToken::IsAdministrator() {
    return m_facts.IsAdministrator();
}

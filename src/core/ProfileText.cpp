#include "core/ProfileText.h"

#include <algorithm>

namespace {
const std::size_t npos = std::string::npos;

// The calls count the DOS end-of-file mark (Ctrl+Z, left in files on old CDs) as a blank too.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

} // namespace

std::string ProfileText::Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

namespace {
// Names match without regard to ASCII case; other bytes must be equal.
bool SameName(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}
} // namespace

ProfileText::ProfileText(const std::string& text) {
    m_sections.push_back({"", {}, 0, 0, 0});
    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = m_sections[0].end = m_sections[0].begin = 3;
    for (int line = 1; pos < text.size(); ++line) {
        std::size_t eol = text.find_first_of("\r\n", pos);
        if (eol == npos) eol = text.size();
        std::size_t next = eol;
        if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        AddLine(text.substr(pos, eol - pos), pos, eol, next, line);
        pos = next;
    }
}

void ProfileText::AddLine(const std::string& raw, std::size_t begin, std::size_t eol, std::size_t next,
                          int line) {
    std::string trimmed = Trim(raw);
    if (trimmed.empty()) return;
    std::size_t close = trimmed.rfind(']');
    if (trimmed[0] == '[' && close != npos) {
        m_sections.push_back({Trim(trimmed.substr(1, close - 1)), {}, next, begin, line});
        return;
    }
    std::size_t eq = trimmed.find('=');
    Entry e{Trim(trimmed.substr(0, eq)), std::nullopt, begin, eol, line};
    if (eq != npos) e.value = Trim(trimmed.substr(eq + 1));
    m_sections.back().entries.push_back(e);
    m_sections.back().end = next;
}

const ProfileText::Section* ProfileText::Find(const std::string& name) const {
    std::string wanted = Trim(name);
    for (const auto& s : m_sections)
        if (SameName(s.name, wanted)) return &s;
    return nullptr;
}

const ProfileText::Entry* ProfileText::FindKey(const Section* s, const std::string& key) {
    if (!s) return nullptr;
    std::string wanted = Trim(key);
    for (const auto& e : s->entries)
        if (SameName(e.key, wanted)) return &e;
    return nullptr;
}

#include "core/Rect.h"

#include <cstdint>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::size_t SkipBlanks(const std::string& s, std::size_t p) {
    while (p < s.size() && IsBlank(s[p]))
        ++p;
    return p;
}

// Blanks, a sign, decimal digits; stops at anything else. Overlong numbers wrap at 32 bits, as the
// shell's reader does, instead of overflowing.
int ReadInt(const std::string& s, std::size_t p) {
    p = SkipBlanks(s, p);
    bool negative = p < s.size() && s[p] == '-';
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) ++p;
    std::uint32_t value = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p)
        value = value * 10u + unsigned(s[p] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}
} // namespace

bool IsRectText(const std::string& text) {
    std::size_t p = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p >= text.size() || text[p] != ',') return false;
            ++p;
        }
        p = SkipBlanks(text, p);
        if (p < text.size() && (text[p] == '-' || text[p] == '+')) ++p;
        const std::size_t digits = p;
        while (p < text.size() && text[p] >= '0' && text[p] <= '9')
            ++p;
        if (p == digits) return false;
        p = SkipBlanks(text, p);
    }
    return p == text.size();
}

Rect ParseRect(const std::string& text) {
    int v[4];
    std::size_t p = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            std::size_t comma = text.find(',', p);
            if (comma != std::string::npos) p = comma + 1;
        }
        v[i] = ReadInt(text, p);
    }
    return {v[0], v[1], v[2], v[3]};
}

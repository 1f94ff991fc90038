#include "core/TextCompare.h"

#include <algorithm>
#include <cctype>

bool EqualsNoCase(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return std::tolower(c); };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

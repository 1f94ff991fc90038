#include "core/TextCompare.h"

#include <algorithm>
#include <cctype>

bool EqualsNoCase(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return std::tolower(c); };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

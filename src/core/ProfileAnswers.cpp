#include "core/ProfileAnswers.h"

#include "core/ProfileText.h"
#include "core/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace {
using Entry = ProfileText::Entry;

// A text as the calls return it: a value wholly in matching quotes loses them.
struct Text {
    std::string text;
    bool quoted;
};

Text Unquote(const std::string& s) {
    if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0])
        return {s.substr(1, s.size() - 2), true};
    return {s, false};
}

// The key's text, or the default with its trailing spaces (all but the first character) dropped,
// each without enclosing quotes.
Text Lookup(const ProfileText& profile, const char* section, const char* key, const char* def) {
    const Entry* e = ProfileText::FindKey(profile.Find(section), key);
    if (e && e->value) return Unquote(*e->value);
    std::string d = def;
    while (d.size() > 1 && d.back() == ' ')
        d.pop_back();
    return Unquote(d);
}

// One text into the caller's buffer, cut to fit; returns the characters copied. kernel32 loses the
// last character of an unquoted text that would just fit the buffer.
std::size_t CopyOut(const Text& t, char* buf, std::size_t size) {
    if (size == 0) return 0;
    std::size_t n = std::min(t.text.size(), size - 1);
    if (t.quoted && n > 0 && t.text.size() == size - 1) --n;
    std::memcpy(buf, t.text.data(), n);
    buf[n] = '\0';
    return n;
}

// A NUL-separated list into the caller's buffer, ended by one more NUL. A list that does not fit
// (a whole byte to spare is needed) is cut to size-2 bytes; an empty or cut list is ended by `ends` NULs.
std::size_t CopyList(const std::string& list, char* buf, std::size_t size, std::size_t ends) {
    if (size == 0) return 0;
    if (size == 1) {
        buf[0] = '\0';
        return 0;
    }
    if (list.size() + 2 <= size) {
        std::memcpy(buf, list.data(), list.size());
        std::memset(buf + list.size(), 0, list.empty() ? ends : 1);
        return list.size();
    }
    std::size_t n = size - 2;
    std::memcpy(buf, list.data(), n);
    std::memset(buf + n, 0, ends);
    return n;
}

// Decimal or "0x" hexadecimal after an optional sign; stops at the first other character and
// wraps like the 32-bit unsigned result it is.
unsigned ParseInt(const std::string& s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    unsigned base = 10;
    if (s.compare(i, 2, "0x") == 0) {
        base = 16;
        i += 2;
    }
    unsigned v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        const int d = base == 16 ? HexDigit(c) : c >= '0' && c <= '9' ? c - '0' : -1;
        if (d < 0) break;
        v = v * base + static_cast<unsigned>(d);
    }
    return negative ? 0u - v : v;
}
} // namespace

namespace ProfileAnswers {
std::size_t String(const ProfileText& profile, const char* section, const char* key, const char* def,
                   char* buf, std::size_t size) {
    return CopyOut(Lookup(profile, section, key, def), buf, size);
}

// The calls read the text into a buffer of 30 characters: only what fits counts.
unsigned Int(const ProfileText& profile, const char* section, const char* key, int def) {
    char buf[30];
    const std::size_t n = CopyOut(Lookup(profile, section, key, ""), buf, sizeof buf);
    return n == 0 ? static_cast<unsigned>(def) : ParseInt(std::string(buf, n));
}

std::size_t Section(const ProfileText& profile, const char* section, char* buf, std::size_t size) {
    std::string list;
    if (const ProfileText::Section* s = profile.Find(section)) {
        for (const auto& e : s->entries) {
            if (e.key.compare(0, 1, ";") == 0) continue;
            list += e.value ? e.key + "=" + *e.value : e.key;
            list += '\0';
        }
    }
    return CopyList(list, buf, size, 2);
}

std::size_t SectionNames(const ProfileText& profile, char* buf, std::size_t size) {
    std::string list;
    for (const auto& s : profile.Sections()) {
        if (s.name.empty()) continue;
        list += s.name;
        list += '\0';
    }
    return CopyList(list, buf, size, 1);
}
} // namespace ProfileAnswers

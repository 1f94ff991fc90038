#include "core/ProfileEngine.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace {
const std::size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Names match without regard to ASCII case; other bytes must be equal.
bool SameName(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

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

struct Entry {
    std::string key;
    std::optional<std::string> value; // none for a line without "="
    std::size_t begin, end;           // the line's text in the file, without its line end
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::size_t end;   // offset after the last line (with its line end) that belongs to the section
    std::size_t begin; // offset of its header line
};

// The file as sections; the first one holds the lines before any header and has no name.
class Profile {
  public:
    explicit Profile(const std::string& text) {
        m_sections.push_back({"", {}, 0, 0});
        std::size_t pos = 0;
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = m_sections[0].end = m_sections[0].begin = 3;
        while (pos < text.size()) {
            std::size_t eol = text.find_first_of("\r\n", pos);
            if (eol == npos) eol = text.size();
            std::size_t next = eol;
            if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
            AddLine(text.substr(pos, eol - pos), pos, eol, next);
            pos = next;
        }
    }

    const Section* Find(const std::string& name) const {
        std::string wanted = Trim(name);
        for (const auto& s : m_sections)
            if (SameName(s.name, wanted)) return &s;
        return nullptr;
    }
    const std::vector<Section>& Sections() const { return m_sections; }

  private:
    void AddLine(const std::string& raw, std::size_t begin, std::size_t eol, std::size_t next) {
        std::string line = Trim(raw);
        if (line.empty()) return;
        std::size_t close = line.rfind(']');
        if (line[0] == '[' && close != npos) {
            m_sections.push_back({Trim(line.substr(1, close - 1)), {}, next, begin});
            return;
        }
        std::size_t eq = line.find('=');
        Entry e{Trim(line.substr(0, eq)), std::nullopt, begin, eol};
        if (eq != npos) e.value = Trim(line.substr(eq + 1));
        m_sections.back().entries.push_back(e);
        m_sections.back().end = next;
    }

    std::vector<Section> m_sections;
};

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

const Entry* FindKey(const Section* s, const std::string& key) {
    if (!s) return nullptr;
    std::string wanted = Trim(key);
    for (const auto& e : s->entries)
        if (SameName(e.key, wanted)) return &e;
    return nullptr;
}

// The key's text, or the default with its trailing spaces (all but the first character) dropped,
// each without enclosing quotes.
Text Lookup(const char* section, const char* key, const char* def, const char* path) {
    Profile profile(ReadFile(path));
    const Entry* e = FindKey(profile.Find(section), key);
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
        int d = c >= '0' && c <= '9'                 ? c - '0'
                : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
        if (d < 0) break;
        v = v * base + static_cast<unsigned>(d);
    }
    return negative ? 0u - v : v;
}
} // namespace

std::size_t ProfileEngine::GetString(const char* section, const char* key, const char* def, char* buf,
                                     std::size_t size, const char* path) {
    return CopyOut(Lookup(section, key, def, path), buf, size);
}

unsigned ProfileEngine::GetInt(const char* section, const char* key, int def, const char* path) {
    std::string v = Lookup(section, key, "", path).text;
    return v.empty() ? static_cast<unsigned>(def) : ParseInt(v);
}

std::size_t ProfileEngine::GetSection(const char* section, char* buf, std::size_t size, const char* path) {
    std::string list;
    Profile profile(ReadFile(path));
    if (const Section* s = profile.Find(section)) {
        for (const auto& e : s->entries) {
            if (e.key.compare(0, 1, ";") == 0) continue;
            list += e.value ? e.key + "=" + *e.value : e.key;
            list += '\0';
        }
    }
    return CopyList(list, buf, size, 2);
}

std::size_t ProfileEngine::GetSectionNames(char* buf, std::size_t size, const char* path) {
    std::string list;
    Profile profile(ReadFile(path));
    for (const auto& s : profile.Sections()) {
        if (s.name.empty()) continue;
        list += s.name;
        list += '\0';
    }
    return CopyList(list, buf, size, 1);
}

bool ProfileEngine::WriteString(const char* section, const char* key, const char* value, const char* path) {
    std::string text = ReadFile(path);
    Profile profile(text);
    const Section* s = profile.Find(section);
    if (!key) { // a null key removes the whole section, as kernel32 does
        if (!s) return true;
        text.erase(s->begin, s->end - s->begin);
        return WriteFile(path, text);
    }
    const Entry* e = FindKey(s, key);
    if (!value) { // a null value removes the key's line, as kernel32 does
        if (!e) return true;
        std::size_t end = e->end;
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        text.erase(e->begin, end - e->begin);
        return WriteFile(path, text);
    }
    std::string line = (e ? e->key : Trim(key)) + "=" + value; // a changed key keeps its spelling
    if (e) {
        if (e->value == std::optional<std::string>(value)) return true; // unchanged: leave the file alone
        text.replace(e->begin, e->end - e->begin, line);
    } else {
        std::size_t at = s ? s->end : text.size();
        std::string add = s ? line + "\r\n" : "[" + Trim(section) + "]\r\n" + line + "\r\n";
        if (at == text.size() && at > 0 && text.back() != '\n' && text.back() != '\r') add = "\r\n" + add;
        text.insert(at, add);
    }
    return WriteFile(path, text);
}

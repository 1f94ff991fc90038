// Answers a script of profile-file queries through the platform's ProfileStore and CIniFile and prints
// every answer, byte for byte. The same script run natively (engine) and under Wine (kernel32) must
// print the same text.
//   profile_probe [--system] DIR SCRIPT
// DIR is the folder the script's file names are in, ended by the platform's separator. The program's
// own store answers (on Windows the read-once cache), or with --system the platform's calls as they are.
// Script lines: fields split at '|', with \xNN, \t, \r, \n and \\ escapes; '#' starts a comment line.
//   file NAME                     the file the following commands use
//   bare NAME                     the same, with the name as given (no folder)
//   str SECTION|KEY|DEFAULT|SIZE  GetString
//   int SECTION|KEY|DEFAULT       GetInt
//   sec SECTION|SIZE              GetSection
//   names SIZE                    GetSectionNames
//   write SECTION|KEY|VALUE       WriteString
//   writeint SECTION|KEY|VALUE    CIniFile::WriteInt
//   delete SECTION|KEY            WriteString with no value: the key goes
//   survey                        a fixed battery of reads over every section and key of the file
#include "core/IniFile.h"
#include "core/ProfileStore.h"

#include <cstdio>
#include <fstream>
#include <list>
#include <string>
#include <vector>

namespace {
const unsigned char kFill = 0xCC;

std::string Escape(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char c = s[++i];
        if (c == 't')
            out += '\t';
        else if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 'x' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else
            out += c;
    }
    return out;
}

std::vector<std::string> Fields(const std::string& s) {
    std::vector<std::string> f(1);
    for (char c : s) {
        if (c == '|')
            f.emplace_back();
        else
            f.back() += c;
    }
    for (auto& x : f)
        x = Unescape(x);
    return f;
}

// A buffer pre-filled so that bytes the call leaves alone show; printed up to its last written byte.
class Buffer {
  public:
    explicit Buffer(std::size_t size) : m_bytes(size + 1, static_cast<char>(kFill)), m_size(size) {}
    char* Data() { return m_bytes.data(); }
    std::string Dump() const {
        std::size_t end = m_size;
        while (end > 0 && static_cast<unsigned char>(m_bytes[end - 1]) == kFill)
            --end;
        std::string out = Escape(std::string(m_bytes.data(), end));
        if (end < m_size) out += " +" + std::to_string(m_size - end) + " untouched";
        return out;
    }

  private:
    std::vector<char> m_bytes;
    std::size_t m_size;
};

class Probe {
  public:
    Probe(std::string dir, ProfileStore& store) : m_dir(std::move(dir)), m_store(store) {}

    void Run(const std::string& line) {
        if (line.empty() || line[0] == '#') return;
        std::size_t space = line.find(' ');
        std::string cmd = line.substr(0, space);
        std::vector<std::string> f = Fields(space == std::string::npos ? "" : line.substr(space + 1));
        std::printf("> %s\n", line.c_str());
        if (cmd == "file")
            m_path = m_dir + f[0];
        else if (cmd == "bare")
            m_path = f[0];
        else if (cmd == "str" && f.size() == 4)
            Str(f[0], f[1], f[2], Size(f[3]));
        else if (cmd == "int" && f.size() == 3)
            Int(f[0], f[1], std::stoi(f[2]));
        else if (cmd == "sec" && f.size() == 2)
            Sec(f[0], Size(f[1]));
        else if (cmd == "names")
            Names(Size(f[0]));
        else if (cmd == "write" && f.size() == 3)
            std::printf("%d\n", m_store.WriteString(f[0].c_str(), f[1].c_str(), f[2].c_str(), Path()));
        else if (cmd == "delete" && f.size() == 2)
            std::printf("%d\n", m_store.WriteString(f[0].c_str(), f[1].c_str(), nullptr, Path()));
        else if (cmd == "writeint" && f.size() == 3)
            std::printf("%d\n", CIniFile(m_path, m_store).WriteInt(f[0], f[1], std::stoi(f[2])));
        else if (cmd == "survey")
            Survey();
        else
            std::printf("bad command\n");
    }

  private:
    static std::size_t Size(const std::string& s) { return std::stoul(s); }
    const char* Path() const { return m_path.c_str(); }

    void Str(const std::string& section, const std::string& key, const std::string& def, std::size_t size) {
        Buffer buf(size);
        std::size_t n =
            m_store.GetString(section.c_str(), key.c_str(), def.c_str(), buf.Data(), size, Path());
        std::printf("%zu %s\n", n, buf.Dump().c_str());
    }
    void Int(const std::string& section, const std::string& key, int def) {
        std::printf("%u\n", m_store.GetInt(section.c_str(), key.c_str(), def, Path()));
    }
    void Sec(const std::string& section, std::size_t size) {
        Buffer buf(size);
        std::size_t n = m_store.GetSection(section.c_str(), buf.Data(), size, Path());
        std::printf("%zu %s\n", n, buf.Dump().c_str());
    }
    void Names(std::size_t size) {
        Buffer buf(size);
        std::size_t n = m_store.GetSectionNames(buf.Data(), size, Path());
        std::printf("%zu %s\n", n, buf.Dump().c_str());
    }

    static void PrintList(const char* what, int n, const std::list<std::string>& list) {
        std::printf("%s %d", what, n);
        for (const auto& s : list)
            std::printf(" [%s]", Escape(s).c_str());
        std::printf("\n");
    }

    // Sizes around a text's length, where the cut rules change, plus a few small and one large.
    // No 0: Wine's GetPrivateProfileSectionA writes before a buffer of size 0.
    static std::vector<std::size_t> SizesAround(std::size_t len) {
        std::vector<std::size_t> sizes = {1, 2, 3, 4, 2048};
        for (std::size_t d = 0; d < 4; ++d)
            if (len + d >= 2) sizes.push_back(len + d - 1);
        return sizes;
    }

    void Survey() {
        CIniFile ini(m_path, m_store);
        std::list<std::string> sections;
        int total = ini.GetSectionNames(sections);
        PrintList("names", total, sections);
        for (std::size_t size : SizesAround(static_cast<std::size_t>(total)))
            Names(size);
        for (const auto& s : sections) {
            std::list<std::string> lines, keys;
            int n = ini.GetSection(s, lines);
            PrintList("section", n, lines);
            PrintList("keys", ini.GetKeyNames(s, keys), keys);
            for (std::size_t size : SizesAround(static_cast<std::size_t>(n)))
                Sec(s, size);
            for (const auto& k : keys)
                SurveyKey(ini, s, k);
            Str(s, "no such key", "dflt", 2048);
        }
        Str("no such section", "k", "dflt", 2048);
        Int("no such section", "k", -7);
    }

    void SurveyKey(const CIniFile& ini, const std::string& s, const std::string& k) {
        std::string v = ini.GetString(s, k, "dflt");
        std::printf("value [%s] [%s] [%s] int %d\n", Escape(s).c_str(), Escape(k).c_str(), Escape(v).c_str(),
                    ini.GetInt(s, k, -7));
        for (std::size_t size : SizesAround(v.size()))
            Str(s, k, "dflt", size);
        std::string upper = s, lower = k;
        for (auto& c : upper)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        for (auto& c : lower)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        Str(upper, lower, "dflt", 2048);
        Str(" " + s + " ", " " + k + " ", "dflt", 2048);
        Int(s, k, 5);
    }

    std::string m_dir, m_path;
    ProfileStore& m_store;
};
} // namespace

int main(int argc, char** argv) {
    const bool system = argc == 4 && std::string(argv[1]) == "--system";
    if (argc != 3 + system) {
        std::fprintf(stderr, "usage: profile_probe [--system] DIR SCRIPT\n");
        return 2;
    }
    std::ifstream script(argv[2 + system], std::ios::binary);
    if (!script) {
        std::fprintf(stderr, "cannot read %s\n", argv[2 + system]);
        return 2;
    }
    Probe probe(argv[1 + system], system ? SystemProfileStore() : DefaultProfileStore());
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        probe.Run(line);
    }
    return 0;
}

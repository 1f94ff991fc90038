// SHA-256 values from a downloaded Drivers.ini: whatever they hold, only values of 64 hex digits can
// match, each serves one file at most, and nothing reads out of bounds.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/HashList.h"

namespace {
bool StartsWithDigest(const std::string& line, bool whole) {
    if (line.size() < 64) return false;
    for (std::size_t i = 0; i < 64; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(line[i]))) return false;
    return whole ? line.size() == 64 : line.size() > 64 && (line[64] == ' ' || line[64] == '\t');
}
} // namespace

// Input: lines; the first is a SHA256 value, the others SHA256.n values. Each line, and each line
// cut after 65 characters, is offered as a path with the digest of "abc".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    CHashList list;
    list.AddFile(lines[0]);
    std::size_t usable = StartsWithDigest(lines[0], true);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        list.AddEntry(lines[i]);
        usable += StartsWithDigest(lines[i], false);
    }
    CSha256 h;
    h.Add("abc", 3);
    const CSha256::Digest abc = h.Finish();
    std::size_t matched = list.Matches("", abc);
    for (const std::string& line : lines)
        for (const std::string& path : {line, line.substr(std::min<std::size_t>(65, line.size()))})
            matched += list.Matches(path, abc);
    if (matched > usable || list.Unmatched().size() > lines.size()) std::abort();
    return 0;
}

#include "core/HashList.h"

#include <algorithm>

#include "core/FtpPath.h"
#include "core/TextCompare.h"

namespace {
std::optional<CSha256::Digest> ParseDigest(const std::string& text) {
    CSha256::Digest digest;
    if (text.size() != 2 * digest.size()) return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return digest;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

void CHashList::AddFile(const std::string& value) {
    m_entries.push_back({"", ParseDigest(value)});
}

// "<digest> <path>", or sha256sum's "<digest>  <path>" and "<digest> *<path>".
void CHashList::AddEntry(const std::string& line) {
    const auto blank = std::find_if(line.begin(), line.end(), IsBlank);
    auto path = std::find_if_not(blank, line.end(), IsBlank);
    if (path != line.end() && *path == '*') ++path;
    m_entries.push_back({FtpPath::Normalise(std::string(path, line.end())),
                         blank == path ? std::nullopt : ParseDigest(std::string(line.begin(), blank))});
}

bool CHashList::Matches(const std::string& path, const std::optional<CSha256::Digest>& digest) {
    const std::string wanted = FtpPath::Normalise(path);
    for (Entry& e : m_entries) {
        // Names on the local disk ignore case, so the list does too.
        if (e.used || !EqualsNoCase(e.path, wanted)) continue;
        e.used = true;
        return e.digest && digest && *e.digest == *digest;
    }
    return false;
}

std::vector<std::string> CHashList::Unmatched() const {
    std::vector<std::string> paths;
    for (const Entry& e : m_entries)
        if (!e.used) paths.push_back(e.path);
    return paths;
}

#include "core/CdFolder.h"

#include <filesystem>
#include <vector>

#include "core/TextCompare.h"

namespace fs = std::filesystem;

namespace {
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The entry of `dir` named `name`, the exact spelling first; empty when there is none.
fs::path Entry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) return dir / name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (EqualsNoCase(it->path().filename().string(), name)) return it->path();
    return {};
}
} // namespace

CdFolder::CdFolder(const std::string& folder) {
    std::error_code ec;
    fs::path p = fs::absolute(folder, ec).lexically_normal();
    if (p.has_relative_path() && p.filename().empty()) p = p.parent_path();
    m_strLocal = p.string();
    m_strPath = m_strLocal;
    while (!m_strPath.empty() && IsSeparator(m_strPath.back()))
        m_strPath.pop_back();
}

bool CdFolder::Readable() const {
    std::error_code ec;
    fs::directory_iterator it(m_strLocal, ec);
    return !ec;
}

CdFolder::Where CdFolder::Find(const std::string& path, std::string& local) const {
    auto known = m_found.find(path);
    if (known == m_found.end()) {
        std::string found;
        const Where where = Look(path, found);
        known = m_found.emplace(path, std::make_pair(where, found)).first;
    }
    if (known->second.first == Where::Found) local = known->second.second;
    return known->second.first;
}

CdFolder::Where CdFolder::Look(const std::string& path, std::string& local) const {
    const std::size_t n = m_strPath.size();
    if (path.compare(0, n, m_strPath) != 0 || (path.size() > n && !IsSeparator(path[n])))
        return Where::Outside;
    std::vector<std::string> parts;
    for (std::size_t p = n; p < path.size();) {
        std::size_t end = p;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        std::string part = path.substr(p, end - p);
        if (part == "..") {
            if (parts.empty()) return Where::Outside;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        p = end + 1;
    }
    fs::path at = m_strLocal;
    for (const std::string& part : parts) {
        at = Entry(at, part);
        if (at.empty()) return Where::Missing;
    }
    local = at.string();
    return Where::Found;
}

std::string CdFolder::Relative(const std::string& local) const {
    return fs::path(local).lexically_relative(m_strLocal).generic_string();
}

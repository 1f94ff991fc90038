#include "core/FtpPath.h"

#include <algorithm>
#include <cctype>

namespace {
bool EqualNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return i == a.size() && !b[i];
}
} // namespace

namespace FtpPath {

std::string Normalise(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Folder(std::string path) {
    path = Normalise(std::move(path));
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::vector<std::string> FolderLevels(const std::string& folder) {
    std::vector<std::string> levels;
    for (std::size_t p = folder.find('/', 1); p != std::string::npos; p = folder.find('/', p + 1))
        levels.push_back(folder.substr(0, p + 1));
    return levels;
}

FtpTransferType TransferType(const std::string& name) {
    static const char* const ascii[] = {"ASP", "BAT", "C",    "CFM", "CGI", "CPP", "CSS",   "DHTML",
                                        "H",   "HTM", "HTML", "MAK", "PHP", "PL",  "SHTML", "TXT"};
    std::size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? name : name.substr(dot + 1);
    for (const char* a : ascii)
        if (EqualNoCase(ext, a)) return FtpTransferType::Ascii;
    return FtpTransferType::Binary;
}

bool IsSafeName(const std::string& name) {
    return !name.empty() && name != "." && name.find("..") == std::string::npos &&
           name.find_first_of("/\\:") == std::string::npos &&
           std::none_of(name.begin(), name.end(), [](char c) { return c > 0 && c < ' '; });
}

} // namespace FtpPath

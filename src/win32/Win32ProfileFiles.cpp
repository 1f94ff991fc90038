#include "win32/Win32ProfileFiles.h"

#include "win32/Registry.h"

#include <algorithm>
#include <vector>

namespace {
// More than any INI file on a CD; a larger one is left to the system.
const DWORD kMaxBytes = 16 * 1024 * 1024;

std::uint64_t Join(DWORD high, DWORD low) {
    return (std::uint64_t(high) << 32) | low;
}

// Unicode's blanks beyond ASCII: the calls of the NT family trim them from names and values, the
// engine does not.
bool IsOtherBlank(WCHAR c) {
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The NT family reads an ANSI file into Unicode and the A calls give it back in the code page: the
// engine answers with the file's bytes, so they must come back unchanged, and hold no blank the
// engine would not trim.
bool ReadsUnchanged(const std::string& bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return true;
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0) return false;
    std::vector<WCHAR> wide(n);
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    if (std::any_of(wide.begin(), wide.end(), IsOtherBlank)) return false;
    const int back = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    if (back != int(bytes.size())) return false;
    std::string again(back, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), n, &again[0], back, nullptr, nullptr);
    return again == bytes;
}
} // namespace

// As kernel32 does: a name without any folder lies in the Windows folder; anything else is made
// whole from the current folder.
std::string Win32ProfileFiles::Resolve(const char* path) {
    if (!path || !*path) return "";
    const std::string given = path;
    std::string full;
    if (given.find_first_of("\\/") == std::string::npos && !(given.size() >= 2 && given[1] == ':')) {
        char folder[MAX_PATH];
        const UINT n = GetWindowsDirectoryA(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return "";
        full = std::string(folder, n);
        if (full.back() != '\\') full += '\\';
        full += given;
    } else {
        char buf[MAX_PATH];
        char* name = nullptr;
        const DWORD n = GetFullPathNameA(path, MAX_PATH, buf, &name);
        if (n == 0 || n >= MAX_PATH) return "";
        full.assign(buf, n);
    }
    return Mapped(full.substr(full.find_last_of("\\/") + 1)) ? "" : full;
}

bool Win32ProfileFiles::Mapped(const std::string& name) {
    std::string key = name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    auto found = m_mapped.find(key);
    if (found != m_mapped.end()) return found->second;
    const bool mapped = bool(
        OpenRegKey(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\" + name, KEY_READ));
    return m_mapped[key] = mapped;
}

// The folder entry shows no file number: the creation time stands for the file's identity (a file
// put in another's place gets its own, unless Windows hands a name deleted and made again within
// seconds its old one back, when the write time and the size still tell).
std::optional<ProfileFiles::Stamp> Win32ProfileFiles::StampOf(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!m_attributes.Loaded() ||
        !m_attributes.GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &d) ||
        (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Stamp{Join(d.ftCreationTime.dwHighDateTime, d.ftCreationTime.dwLowDateTime),
                 Join(d.ftLastWriteTime.dwHighDateTime, d.ftLastWriteTime.dwLowDateTime),
                 Join(d.nFileSizeHigh, d.nFileSizeLow)};
}

// Opened as kernel32 opens it, so a file it could not open is not read here either.
std::optional<std::string> Win32ProfileFiles::Read(const std::string& file) {
    const CHandle h(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return std::nullopt;
    DWORD high = 0;
    const DWORD size = GetFileSize(h.Get(), &high);
    if (size == INVALID_FILE_SIZE || high || size > kMaxBytes) return std::nullopt;
    std::string bytes(size, '\0');
    DWORD got = 0;
    if (size && !ReadFile(h.Get(), &bytes[0], size, &got, nullptr)) return std::nullopt;
    bytes.resize(got);
    if (!ReadsUnchanged(bytes)) return std::nullopt;
    return bytes;
}

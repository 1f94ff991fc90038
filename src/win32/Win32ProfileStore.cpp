#include "win32/Win32ProfileStore.h"

#include <windows.h>

#include <limits>

namespace {
DWORD Dword(std::size_t size) {
    return size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                    : static_cast<DWORD>(size);
}
} // namespace

std::size_t Win32ProfileStore::GetString(const char* section, const char* key, const char* def, char* buf,
                                         std::size_t size, const char* path) {
    return GetPrivateProfileStringA(section, key, def, buf, Dword(size), path);
}

unsigned Win32ProfileStore::GetInt(const char* section, const char* key, int def, const char* path) {
    return GetPrivateProfileIntA(section, key, def, path);
}

std::size_t Win32ProfileStore::GetSection(const char* section, char* buf, std::size_t size,
                                          const char* path) {
    return GetPrivateProfileSectionA(section, buf, Dword(size), path);
}

std::size_t Win32ProfileStore::GetSectionNames(char* buf, std::size_t size, const char* path) {
    return GetPrivateProfileSectionNamesA(buf, Dword(size), path);
}

bool Win32ProfileStore::WriteString(const char* section, const char* key, const char* value,
                                    const char* path) {
    return WritePrivateProfileStringA(section, key, value, path) != 0;
}

#include "core/ProfileStore.h"

#include <windows.h>

#include <limits>

// The profile API itself; this store only narrows the sizes to DWORD.
namespace {
DWORD Dword(std::size_t size) {
    return size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                    : static_cast<DWORD>(size);
}

class Win32ProfileStore : public ProfileStore {
  public:
    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override {
        return GetPrivateProfileStringA(section, key, def, buf, Dword(size), path);
    }
    unsigned GetInt(const char* section, const char* key, int def, const char* path) override {
        return GetPrivateProfileIntA(section, key, def, path);
    }
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override {
        return GetPrivateProfileSectionA(section, buf, Dword(size), path);
    }
    std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) override {
        return GetPrivateProfileSectionNamesA(buf, Dword(size), path);
    }
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override {
        return WritePrivateProfileStringA(section, key, value, path) != 0;
    }
};
} // namespace

ProfileStore& DefaultProfileStore() {
    static Win32ProfileStore store;
    return store;
}

#pragma once
#include "core/ProfileStore.h"

// The profile API itself; this store only narrows the sizes to DWORD.
class Win32ProfileStore : public ProfileStore {
  public:
    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override;
    unsigned GetInt(const char* section, const char* key, int def, const char* path) override;
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override;
    std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;
};

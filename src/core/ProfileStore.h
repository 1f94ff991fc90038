#pragma once
#include <cstddef>
#include <string>

// The five profile-file calls, as one seam. The Windows builds answer through kernel32;
// the native build through ProfileEngine, which must answer exactly as kernel32 does.
// Buffers behave as the Windows calls' do: `size` counts bytes including the terminating NUL(s),
// and the returned count is what the Windows call would return for that size.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual std::size_t GetString(const char* section, const char* key, const char* def, char* buf,
                                  std::size_t size, const char* path) = 0;
    virtual unsigned GetInt(const char* section, const char* key, int def, const char* path) = 0;
    virtual std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) = 0;
    virtual std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) = 0;
    virtual bool WriteString(const char* section, const char* key, const char* value, const char* path) = 0;
};

// The platform's calls as they are: kernel32 on Windows, ProfileEngine natively. Defined per platform.
ProfileStore& SystemProfileStore();
// What the program reads through: on Windows the system's calls behind the read-once cache,
// natively the engine itself.
ProfileStore& DefaultProfileStore();

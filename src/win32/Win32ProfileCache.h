#pragma once
#include <windows.h>

#include "core/ProfileCache.h"
#include "win32/Scoped.h"
#include "win32/Win32ProfileFiles.h"
#include "win32/Win32ProfileStore.h"

// The program's profile store: kernel32's calls behind the read-once cache, one caller at a time
// (the start window's thread reads Root.ini while the main thread builds the menu).
class Win32ProfileCache : public ProfileStore {
  public:
    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override;
    unsigned GetInt(const char* section, const char* key, int def, const char* path) override;
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override;
    std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;

  private:
    CCriticalSection m_lock;
    Win32ProfileStore m_system;
    Win32ProfileFiles m_files;
    ProfileCache m_cache{m_system, m_files};
};

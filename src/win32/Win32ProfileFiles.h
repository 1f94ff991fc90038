#pragma once
#include <map>

#include "core/ProfileCache.h"
#include "win32/LateBound.h"

// Profile files as kernel32 finds and reads them, for the read-once cache.
class Win32ProfileFiles : public ProfileFiles {
  public:
    std::string Resolve(const char* path) override;
    // Without GetFileAttributesExA (Windows 95) nothing is stamped, and every call goes to the system.
    std::optional<Stamp> StampOf(const std::string& file) override;
    std::optional<std::string> Read(const std::string& file) override;

  private:
    // Whether the NT family maps a file of this name to the registry; asked once per name.
    bool Mapped(const std::string& name);

    CFileAttributesEx m_attributes;
    std::map<std::string, bool> m_mapped;
};

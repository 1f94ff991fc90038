#pragma once
#include <windows.h>

#include <string>

#include "win32/Scoped.h"

// The program's one way to open a registry key: an empty key when it cannot be opened.
CRegKey OpenRegKey(HKEY root, const std::string& subkey, REGSAM access);

// One root key; every call opens its subkey, does one thing and closes it again.
class CRegistry {
  public:
    CRegistry() = default;
    virtual ~CRegistry() = default;
    void SetRoot(HKEY root);
    bool KeyExists(const std::string& subkey) const;
    // A value of any type read as text, at most 1023 bytes; `out` is empty when the read fails.
    bool GetString(const std::string& subkey, const std::string& name, std::string& out) const;
    // `view` may add KEY_WOW64_64KEY: a 32-bit program then writes the 64-bit registry's key.
    bool WriteString(const std::string& subkey, const std::string& name, const std::string& text,
                     REGSAM view = 0) const;
    bool DeleteValue(const std::string& subkey, const std::string& name) const;
    // Deletes the child `name` of `subkey`; fails on the NT family while that child has children.
    bool DeleteKey(const std::string& subkey, const std::string& name) const;

  private:
    bool m_bHasRoot = false;
    HKEY m_hRoot = nullptr;
};

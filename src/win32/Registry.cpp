#include "win32/Registry.h"

#include <cstring>

namespace {
const DWORD kValueBufferSize = 1024;
} // namespace

CRegKey OpenRegKey(HKEY root, const std::string& subkey, REGSAM access) {
    CRegKey key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) key.Release();
    return key;
}

void CRegistry::SetRoot(HKEY root) {
    m_hRoot = root;
    m_bHasRoot = true;
}

bool CRegistry::KeyExists(const std::string& subkey) const {
    return m_bHasRoot && OpenRegKey(m_hRoot, subkey, KEY_READ);
}

bool CRegistry::GetString(const std::string& subkey, const std::string& name, std::string& out) const {
    out.clear();
    const CRegKey key = m_bHasRoot ? OpenRegKey(m_hRoot, subkey, KEY_READ) : CRegKey();
    if (!key) return false;
    char buffer[kValueBufferSize] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return false;
    // Data that fills the buffer need not end in a NUL.
    out.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

bool CRegistry::WriteString(const std::string& subkey, const std::string& name, const std::string& text,
                            REGSAM view) const {
    CRegKey key;
    if (!m_bHasRoot || RegCreateKeyExA(m_hRoot, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE | view, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        key.Release();
        return false;
    }
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool CRegistry::DeleteValue(const std::string& subkey, const std::string& name) const {
    const CRegKey key = m_bHasRoot ? OpenRegKey(m_hRoot, subkey, KEY_ALL_ACCESS) : CRegKey();
    return key && RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool CRegistry::DeleteKey(const std::string& subkey, const std::string& name) const {
    const CRegKey key = m_bHasRoot ? OpenRegKey(m_hRoot, subkey, KEY_ALL_ACCESS) : CRegKey();
    return key && RegDeleteKeyA(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

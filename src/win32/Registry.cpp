#include "win32/Registry.h"

#include <cstring>

namespace {
const DWORD kValueBufferSize = 1024;

// Opens `subkey` with full access, applies `op` to the key and closes it again.
template <class Op> bool WithFullAccess(HKEY root, const std::string& subkey, Op op) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
    const LONG rc = op(key);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
} // namespace

void CRegistry::SetRoot(HKEY root) {
    m_hRoot = root;
    m_bHasRoot = true;
}

bool CRegistry::KeyExists(const std::string& subkey) const {
    if (!m_bHasRoot) return false;
    HKEY key;
    if (RegOpenKeyExA(m_hRoot, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool CRegistry::GetString(const std::string& subkey, const std::string& name, std::string& out) const {
    out.clear();
    HKEY key;
    if (!m_bHasRoot || RegOpenKeyExA(m_hRoot, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[kValueBufferSize] = {};
    DWORD size = sizeof buffer;
    const LONG rc =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return false;
    // Data that fills the buffer need not end in a NUL.
    out.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

bool CRegistry::WriteString(const std::string& subkey, const std::string& name,
                            const std::string& text) const {
    HKEY key;
    if (!m_bHasRoot || RegCreateKeyExA(m_hRoot, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool CRegistry::DeleteValue(const std::string& subkey, const std::string& name) const {
    return m_bHasRoot &&
           WithFullAccess(m_hRoot, subkey, [&](HKEY key) { return RegDeleteValueA(key, name.c_str()); });
}

bool CRegistry::DeleteKey(const std::string& subkey, const std::string& name) const {
    return m_bHasRoot &&
           WithFullAccess(m_hRoot, subkey, [&](HKEY key) { return RegDeleteKeyA(key, name.c_str()); });
}

COpenRegKey::~COpenRegKey() {
    Close();
}

bool COpenRegKey::Open(HKEY root, const std::string& subkey) {
    Close();
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
    m_hKey = key;
    return true;
}

bool COpenRegKey::QueryString(const std::string& name, char* buffer, DWORD size) {
    if (m_hKey == nullptr || buffer == nullptr || size == 0) return false;
    buffer[0] = '\0';
    DWORD read = size;
    if (RegQueryValueExA(m_hKey, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &read) !=
        ERROR_SUCCESS) {
        buffer[0] = '\0'; // a value too large may have left part of itself behind
        return false;
    }
    buffer[read < size ? read : size - 1] = '\0';
    return true;
}

bool COpenRegKey::Close() {
    if (m_hKey == nullptr) return false;
    const LONG rc = RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return rc == ERROR_SUCCESS;
}

#pragma once
#include <windows.h>

#include <string>

// One root key; every call opens its subkey, does one thing and closes it again.
class CRegistry {
public:
    CRegistry() = default;
    virtual ~CRegistry() = default;
    void SetRoot(HKEY root);
    bool KeyExists(const std::string& subkey) const;
    bool GetString(const std::string& subkey, const std::string& name, std::string& out) const;
    bool WriteString(const std::string& subkey, const std::string& name, const std::string& text) const;
    bool DeleteValue(const std::string& subkey, const std::string& name) const;
    bool DeleteKey(const std::string& subkey, const std::string& name) const;

private:
    bool m_bHasRoot = false;
    HKEY m_hRoot = nullptr;
};

// One key held open for several reads.
class COpenRegKey {
public:
    COpenRegKey() = default;
    ~COpenRegKey();
    COpenRegKey(const COpenRegKey&) = delete;
    COpenRegKey& operator=(const COpenRegKey&) = delete;
    bool Open(HKEY root, const std::string& subkey);
    bool QueryString(const std::string& name, char* buffer, DWORD size);
    bool Close();

private:
    HKEY m_hKey = nullptr;
};

#include "win32/Win32ProfileCache.h"

std::size_t Win32ProfileCache::GetString(const char* section, const char* key, const char* def, char* buf,
                                         std::size_t size, const char* path) {
    const CCriticalSection::Hold hold(m_lock);
    return m_cache.GetString(section, key, def, buf, size, path);
}

unsigned Win32ProfileCache::GetInt(const char* section, const char* key, int def, const char* path) {
    const CCriticalSection::Hold hold(m_lock);
    return m_cache.GetInt(section, key, def, path);
}

std::size_t Win32ProfileCache::GetSection(const char* section, char* buf, std::size_t size,
                                          const char* path) {
    const CCriticalSection::Hold hold(m_lock);
    return m_cache.GetSection(section, buf, size, path);
}

std::size_t Win32ProfileCache::GetSectionNames(char* buf, std::size_t size, const char* path) {
    const CCriticalSection::Hold hold(m_lock);
    return m_cache.GetSectionNames(buf, size, path);
}

bool Win32ProfileCache::WriteString(const char* section, const char* key, const char* value,
                                    const char* path) {
    const CCriticalSection::Hold hold(m_lock);
    return m_cache.WriteString(section, key, value, path);
}

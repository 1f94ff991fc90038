#include "win32/Win32ProfileCache.h"

template <class Call> auto Win32ProfileCache::Locked(Call call) {
    struct Hold {
        CRITICAL_SECTION& lock;
        explicit Hold(CRITICAL_SECTION& l) : lock(l) { EnterCriticalSection(&lock); }
        ~Hold() { LeaveCriticalSection(&lock); }
    } hold(m_lock);
    return call();
}

std::size_t Win32ProfileCache::GetString(const char* section, const char* key, const char* def, char* buf,
                                         std::size_t size, const char* path) {
    return Locked([&] { return m_cache.GetString(section, key, def, buf, size, path); });
}

unsigned Win32ProfileCache::GetInt(const char* section, const char* key, int def, const char* path) {
    return Locked([&] { return m_cache.GetInt(section, key, def, path); });
}

std::size_t Win32ProfileCache::GetSection(const char* section, char* buf, std::size_t size,
                                          const char* path) {
    return Locked([&] { return m_cache.GetSection(section, buf, size, path); });
}

std::size_t Win32ProfileCache::GetSectionNames(char* buf, std::size_t size, const char* path) {
    return Locked([&] { return m_cache.GetSectionNames(buf, size, path); });
}

bool Win32ProfileCache::WriteString(const char* section, const char* key, const char* value,
                                    const char* path) {
    return Locked([&] { return m_cache.WriteString(section, key, value, path); });
}

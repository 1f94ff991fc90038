#include "core/ProfileCache.h"

#include "core/ProfileAnswers.h"
#include "core/ProfileText.h"

#include <algorithm>
#include <cstring>

namespace {
bool IsAscii(const char* s, std::size_t n) {
    return std::all_of(s, s + n, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A null name (which the calls take for a list) is left to the calls.
bool IsAscii(const char* s) {
    return s && IsAscii(s, std::strlen(s));
}

bool IsAscii(const std::string& s) {
    return IsAscii(s.data(), s.size());
}

// The engine compares names and cuts texts byte by byte, the calls of the NT family character by
// character in Unicode: they agree wherever names are ASCII. A byte-order mark makes the calls
// convert the whole file; a NUL ends their texts early.
bool EngineAnswersFor(const std::string& bytes, const ProfileText& text) {
    if (bytes.find('\0') != std::string::npos) return false;
    for (const char* bom : {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"})
        if (bytes.compare(0, std::strlen(bom), bom) == 0) return false;
    for (const auto& s : text.Sections()) {
        if (!IsAscii(s.name)) return false;
        for (const auto& e : s.entries)
            if (!IsAscii(e.key)) return false;
    }
    return true;
}

// A text that filled the buffer may have been cut inside a character by the calls.
bool MayBeCutOtherwise(const char* buf, std::size_t n, std::size_t size) {
    return n + 2 >= size && !IsAscii(buf, n);
}
} // namespace

std::shared_ptr<const ProfileText> ProfileCache::Text(const char* path) {
    const std::string file = m_files.Resolve(path);
    if (file.empty()) return nullptr;
    const std::optional<ProfileFiles::Stamp> stamp = m_files.StampOf(file);
    if (!stamp) {
        m_cache.erase(file);
        return nullptr;
    }
    auto found = m_cache.find(file);
    if (found != m_cache.end() && found->second.stamp == *stamp) return found->second.text;
    // Stamped before it is read: a write in between leaves an older stamp, which the next call sees.
    File entry{*stamp, nullptr};
    if (const std::optional<std::string> bytes = m_files.Read(file)) {
        auto text = std::make_shared<const ProfileText>(*bytes);
        if (EngineAnswersFor(*bytes, *text)) entry.text = std::move(text);
    }
    return (m_cache[file] = std::move(entry)).text;
}

std::size_t ProfileCache::GetString(const char* section, const char* key, const char* def, char* buf,
                                    std::size_t size, const char* path) {
    if (IsAscii(section) && IsAscii(key) && (!def || IsAscii(def)) && size > 0) {
        if (const auto text = Text(path)) {
            const std::size_t n = ProfileAnswers::String(*text, section, key, def ? def : "", buf, size);
            if (!MayBeCutOtherwise(buf, n, size)) return n;
        }
    }
    return m_system.GetString(section, key, def, buf, size, path);
}

unsigned ProfileCache::GetInt(const char* section, const char* key, int def, const char* path) {
    if (IsAscii(section) && IsAscii(key))
        if (const auto text = Text(path)) return ProfileAnswers::Int(*text, section, key, def);
    return m_system.GetInt(section, key, def, path);
}

std::size_t ProfileCache::GetSection(const char* section, char* buf, std::size_t size, const char* path) {
    if (IsAscii(section) && size > 0) {
        if (const auto text = Text(path)) {
            const std::size_t n = ProfileAnswers::Section(*text, section, buf, size);
            if (!MayBeCutOtherwise(buf, n, size)) return n;
        }
    }
    return m_system.GetSection(section, buf, size, path);
}

std::size_t ProfileCache::GetSectionNames(char* buf, std::size_t size, const char* path) {
    if (size > 0)
        if (const auto text = Text(path)) return ProfileAnswers::SectionNames(*text, buf, size);
    return m_system.GetSectionNames(buf, size, path);
}

bool ProfileCache::WriteString(const char* section, const char* key, const char* value, const char* path) {
    const bool written = m_system.WriteString(section, key, value, path);
    // Dropped even though the new stamp would show the write: a write within the clock's tick that
    // keeps the size would not.
    m_cache.erase(m_files.Resolve(path));
    return written;
}

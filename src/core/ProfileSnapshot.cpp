#include "core/ProfileSnapshot.h"

#include "core/ProfileText.h"

bool ProfileSnapshot::WriteString(const char* section, const char* key, const char* value, const char* path) {
    m_files.erase(path);
    return ProfileEngine::WriteString(section, key, value, path);
}

std::shared_ptr<const ProfileText> ProfileSnapshot::Load(const char* path) {
    auto& file = m_files[path];
    if (!file) file = ProfileEngine::Load(path);
    return file;
}

#include "core/ProfileEngine.h"

#include "core/ProfileAnswers.h"
#include "core/ProfileText.h"

#include <fstream>

namespace {
using Entry = ProfileText::Entry;
using Section = ProfileText::Section;

// A file that cannot be read (a folder of that name) reads as empty, as the calls find no file there.
std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    return text;
}

bool WriteFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

std::shared_ptr<const ProfileText> ProfileEngine::Load(const char* path) {
    return std::make_shared<const ProfileText>(ReadFile(path));
}

std::size_t ProfileEngine::GetString(const char* section, const char* key, const char* def, char* buf,
                                     std::size_t size, const char* path) {
    return ProfileAnswers::String(*Load(path), section, key, def, buf, size);
}

unsigned ProfileEngine::GetInt(const char* section, const char* key, int def, const char* path) {
    return ProfileAnswers::Int(*Load(path), section, key, def);
}

std::size_t ProfileEngine::GetSection(const char* section, char* buf, std::size_t size, const char* path) {
    return ProfileAnswers::Section(*Load(path), section, buf, size);
}

std::size_t ProfileEngine::GetSectionNames(char* buf, std::size_t size, const char* path) {
    return ProfileAnswers::SectionNames(*Load(path), buf, size);
}

bool ProfileEngine::WriteString(const char* section, const char* key, const char* value, const char* path) {
    std::string text = ReadFile(path);
    ProfileText profile(text);
    const Section* s = profile.Find(section);
    if (!key) { // a null key removes the whole section, as kernel32 does
        if (!s) return true;
        text.erase(s->begin, s->end - s->begin);
        return WriteFile(path, text);
    }
    const Entry* e = ProfileText::FindKey(s, key);
    if (!value) { // a null value removes the key's line, as kernel32 does
        if (!e) return true;
        std::size_t end = e->end;
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        text.erase(e->begin, end - e->begin);
        return WriteFile(path, text);
    }
    std::string line =
        (e ? e->key : ProfileText::Trim(key)) + "=" + value; // a changed key keeps its spelling
    if (e) {
        if (e->value == std::optional<std::string>(value)) return true; // unchanged: leave the file alone
        text.replace(e->begin, e->end - e->begin, line);
    } else {
        std::size_t at = s ? s->end : text.size();
        std::string add = s ? line + "\r\n" : "[" + ProfileText::Trim(section) + "]\r\n" + line + "\r\n";
        if (at == text.size() && at > 0 && text.back() != '\n' && text.back() != '\r') add = "\r\n" + add;
        text.insert(at, add);
    }
    return WriteFile(path, text);
}

// Arbitrary file bytes and queries through the profile engine: every call must stay inside its
// buffer and the file it writes must read again.
#include "core/ProfileEngine.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// Input: three query texts separated by NULs (section, key, value), a buffer size byte, then the file.
std::string Take(const uint8_t*& p, const uint8_t* end) {
    std::string s;
    while (p < end && *p)
        s += static_cast<char>(*p++);
    if (p < end) ++p;
    return s;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* p = data;
    const uint8_t* end = data + size;
    std::string section = Take(p, end), key = Take(p, end), value = Take(p, end);
    size_t bufSize = p < end ? *p++ : 16;

    char path[] = "/tmp/profile_fuzzXXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    bool written = write(fd, p, end - p) == end - p;
    close(fd);
    if (!written) {
        std::remove(path);
        return 0;
    }

    ProfileEngine engine;
    std::vector<char> buf(bufSize);
    engine.GetString(section.c_str(), key.c_str(), value.c_str(), buf.data(), buf.size(), path);
    engine.GetInt(section.c_str(), key.c_str(), 7, path);
    engine.GetSection(section.c_str(), buf.data(), buf.size(), path);
    engine.GetSectionNames(buf.data(), buf.size(), path);
    engine.WriteString(section.c_str(), key.c_str(), value.c_str(), path);
    engine.GetSection(section.c_str(), buf.data(), buf.size(), path);
    std::remove(path);
    return 0;
}

// The read-once cache against the engine reading the file every time, on real files.
#include <gtest/gtest.h>

#include "TempIni.h"
#include "core/IniFile.h"
#include "core/ProfileCache.h"
#include "core/ProfileEngine.h"

#include <fcntl.h>
#include <filesystem>
#include <list>
#include <map>
#include <sys/stat.h>

namespace {
const std::string kCd = (std::filesystem::path(__FILE__).parent_path() / "../../examples/").string();

// Files as this machine's folders show them; counts the reads from the disk.
class DiskFiles : public ProfileFiles {
  public:
    std::string Resolve(const char* path) override { return path; }
    std::optional<Stamp> StampOf(const std::string& file) override {
        struct stat st;
        if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        return Stamp{std::uint64_t(st.st_ino),
                     std::uint64_t(st.st_mtim.tv_sec) * 1000000000u + st.st_mtim.tv_nsec,
                     std::uint64_t(st.st_size)};
    }
    std::optional<std::string> Read(const std::string& file) override {
        ++reads[file];
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::map<std::string, int> reads;
};

// The engine as the system's calls, counting what the cache leaves to them.
struct SystemCalls : ProfileEngine {
    std::size_t GetString(const char* s, const char* k, const char* d, char* b, std::size_t n,
                          const char* p) override {
        ++calls;
        return ProfileEngine::GetString(s, k, d, b, n, p);
    }
    std::size_t GetSection(const char* s, char* b, std::size_t n, const char* p) override {
        ++calls;
        return ProfileEngine::GetSection(s, b, n, p);
    }
    int calls = 0;
};

struct Cache {
    DiskFiles files;
    SystemCalls system;
    ProfileCache cache{system, files};
    std::string Get(const std::string& path, const char* section, const char* key) {
        return CIniFile(path, cache).GetString(section, key, "dflt");
    }
};

// Every section's lines, every key's text and number, the name list.
std::string Survey(const CIniFile& ini) {
    std::list<std::string> names;
    std::string out = std::to_string(ini.GetSectionNames(names));
    for (const auto& s : names) {
        std::list<std::string> lines, keys;
        out += "[" + s + "]" + std::to_string(ini.GetSection(s, lines));
        ini.GetKeyNames(s, keys);
        for (const auto& k : keys)
            out += k + "=" + ini.GetString(s, k, "dflt") + "/" + std::to_string(ini.GetInt(s, k, -7)) + "\n";
    }
    return out;
}

// Sets a file's write time back to what it was: a change within the clock's tick.
void KeepWriteTime(const std::string& path, const struct stat& before) {
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}
} // namespace

TEST(ProfileCache, ReadsEachSampleFileOnceAndAnswersAsTheEngine) {
    Cache c;
    ProfileEngine engine;
    for (const char* name : {"Root.ini", "Pages/Drivers.ini", "Pages/Install.ini", "Sample.dmp"}) {
        const std::string path = kCd + name;
        const std::string expected = Survey(CIniFile(path, engine));
        EXPECT_EQ(Survey(CIniFile(path, c.cache)), expected) << name;
        EXPECT_EQ(Survey(CIniFile(path, c.cache)), expected) << name;
        EXPECT_EQ(c.files.reads[path], 1) << name;
    }
    EXPECT_EQ(c.system.calls, 0); // Big5 captions included
}

// Changes within one tick of the file system's clock: a new size shows an outside write, and the
// cache's own write drops the file even when the size stays.
TEST(ProfileCache, ChangesWithinTheClocksTickAreSeen) {
    TempIni ini("[A]\r\nk=1\r\n");
    Cache c;
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "1");
    struct stat before;
    ASSERT_EQ(stat(ini.Path().c_str(), &before), 0);
    std::ofstream(ini.Path(), std::ios::binary | std::ios::trunc) << "[A]\r\nk=22\r\n";
    KeepWriteTime(ini.Path(), before);
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "22");
    EXPECT_EQ(c.files.reads[ini.Path()], 2);

    EXPECT_TRUE(CIniFile(ini.Path(), c.cache).WriteString("A", "k", "33"));
    EXPECT_EQ(ini.Text(), "[A]\r\nk=33\r\n");
    KeepWriteTime(ini.Path(), before);
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "33");
}

TEST(ProfileCache, VanishedOrReplacedFileAnswersAsTheSystemThen) {
    TempIni ini("[A]\r\nk=1\r\n");
    Cache c;
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "1");
    std::filesystem::remove(ini.Path());
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "dflt");
    std::filesystem::create_directory(ini.Path()); // a folder in its place cannot be read
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "dflt");
    std::filesystem::remove(ini.Path());
    std::ofstream(ini.Path(), std::ios::binary) << "[A]\r\nk=3\r\nmore=1\r\n";
    EXPECT_EQ(c.Get(ini.Path(), "A", "k"), "3");
    EXPECT_EQ(c.Get(ini.Path(), "A", "more"), "1");
}

// Byte-order marks, NULs, names beyond ASCII and cut texts beyond ASCII read otherwise through the
// calls of the NT family than byte by byte: the system answers them.
TEST(ProfileCache, WhatTheEngineCannotAnswerExactlyGoesToTheSystem) {
    struct Case {
        std::string text;
        const char* section;
        const char* key;
        std::size_t size;
    };
    const Case cases[] = {
        {std::string("\xFF\xFE[\0A\0]\0", 8), "A", "k", 100},
        {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", 100},
        {std::string("[A]\r\nk=a\0b\r\n", 12), "A", "k", 100},
        {"[\xC4]\r\nk=1\r\n", "\xC4", "k", 100},
        {"[A]\r\n\xE4=1\r\n", "A", "k", 100},
        {"[A]\r\nk=1\r\n", "A", "\xE4", 100},
        {"[A]\r\nk=\xA6\x77\xB8\xCB\r\n", "A", "k", 4},
    };
    for (const Case& t : cases) {
        TempIni ini(t.text);
        Cache c;
        char buf[100];
        c.cache.GetString(t.section, t.key, "", buf, t.size, ini.Path().c_str());
        EXPECT_EQ(c.system.calls, 1) << ini.Text();
    }
    TempIni big5("[A]\r\nk=\xA6\x77\xB8\xCB\r\n");
    Cache c;
    EXPECT_EQ(c.Get(big5.Path(), "A", "k"), "\xA6\x77\xB8\xCB");
    EXPECT_EQ(c.system.calls, 0);
}

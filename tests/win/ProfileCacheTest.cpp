// The program's profile store (kernel32 behind the read-once cache) on files that change between reads.
#include "core/IniFile.h"
#include "core/ProfileStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Writes `text` over the file's bytes; with `written`, the write time is set back to it afterwards.
void Put(const std::string& path, const std::string& text, const FILETIME* written = nullptr) {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(h, text.data(), DWORD(text.size()), &done, nullptr);
    if (written) SetFileTime(h, nullptr, nullptr, written);
    CloseHandle(h);
}

FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

std::string Get(const std::string& path) {
    return CIniFile(path, DefaultProfileStore()).GetString("A", "k", "dflt");
}
} // namespace

TEST(ProfileCache, SizeChangedWithinTheSameWriteTimeGivesTheNewText) {
    const std::string path = TempFile("cache-size.ini");
    Put(path, "[A]\r\nk=1\r\n");
    EXPECT_EQ(Get(path), "1");
    const FILETIME before = WriteTime(path);
    Put(path, "[A]\r\nk=22\r\n", &before);
    const FILETIME after = WriteTime(path);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_EQ(Get(path), "22");
    DeleteFileA(path.c_str());
}

TEST(ProfileCache, VanishedUnreadableOrGrownFileAnswersAsTheCallsThen) {
    const std::string path = TempFile("cache-gone.ini");
    Put(path, "[A]\r\nk=1\r\n");
    EXPECT_EQ(Get(path), "1");
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_EQ(Get(path), "dflt");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_EQ(Get(path), "dflt");
    ASSERT_TRUE(RemoveDirectoryA(path.c_str()));
    Put(path, "[A]\r\nk=3\r\nmore=1\r\n");
    EXPECT_EQ(Get(path), "3");
    EXPECT_EQ(CIniFile(path).GetString("A", "more", ""), "1");
    EXPECT_TRUE(CIniFile(path).WriteString("A", "k", "4"));
    EXPECT_EQ(Get(path), "4");
    EXPECT_EQ(CIniFile(path, SystemProfileStore()).GetString("A", "k", ""), "4");
    DeleteFileA(path.c_str());
}

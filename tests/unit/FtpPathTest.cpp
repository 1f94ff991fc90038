#include <gtest/gtest.h>

#include "core/FtpPath.h"

using namespace FtpPath;

TEST(FtpPath, TransferTypeByTextAfterLastDot) {
    struct {
        const char* name;
        int type;
    } cases[] = {
        {"README", 2},       {"notes.TxT", 1}, {"c", 1},       {"archive.tar.gz", 2}, {"page.shtml", 1},
        {"setup.exe", 2},    {"x.c.exe", 2},   {"x.exe.c", 1}, {"trailing.", 2},      {"", 2},
        {"DHTML", 1},        {"a.Html", 1},    {"a.htmlx", 2}, {"a.hh", 2},           {"pl", 1},
        {"dir/file.bat", 1}, {"a.asp", 1},     {"b.CFM", 1},   {"c.cgi", 1},          {"d.cpp", 1},
        {"e.css", 1},        {"f.h", 1},       {"g.htm", 1},   {"h.mak", 1},          {"i.php", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.type, TransferType(c.name)) << c.name;
}

TEST(FtpPath, FoldersUseSlashesAndEndWithOne) {
    EXPECT_EQ("C:/a/b/", Folder("C:\\a\\b"));
    EXPECT_EQ("/pub/", Folder("/pub/"));
    EXPECT_EQ("/", Folder(""));
    EXPECT_EQ("//pub/x.exe", Normalise("//pub\\x.exe"));
}

TEST(FtpPath, FolderLevelsFromPositionOne) {
    EXPECT_EQ((std::vector<std::string>{"C:/", "C:/a/", "C:/a/b/"}), FolderLevels(Folder("C:\\a\\b")));
    // A leading "/" is not a level of its own; a doubled one yields a repeat that fails harmlessly.
    EXPECT_EQ((std::vector<std::string>{"/pub/", "/pub/x/"}), FolderLevels("/pub/x/"));
    EXPECT_EQ((std::vector<std::string>{"//", "//a/"}), FolderLevels("//a/"));
    EXPECT_TRUE(FolderLevels("/").empty());
}

TEST(FtpPath, OnlyPlainNamesAreSafe) {
    for (const char* ok : {"setup.exe", "a b.txt", "README", "x.y.z", ".profile", "\xb0\xaa.exe"})
        EXPECT_TRUE(IsSafeName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "../x", "a..b", "..\\x", "/etc/passwd", "a/b", "a\\b", "C:x",
                            "C:\\Windows", "file.txt:stream", "\\\\server\\share", "tab\tname", "new\nline"})
        EXPECT_FALSE(IsSafeName(bad)) << bad;
}

#include <gtest/gtest.h>

#include "core/FtpPath.h"

using namespace FtpPath;

TEST(FtpPath, TransferTypeByTextAfterLastDot) {
    const FtpTransferType A = FtpTransferType::Ascii, B = FtpTransferType::Binary;
    struct {
        const char* name;
        FtpTransferType type;
    } cases[] = {
        {"README", B},       {"notes.TxT", A}, {"c", A},       {"archive.tar.gz", B}, {"page.shtml", A},
        {"setup.exe", B},    {"x.c.exe", B},   {"x.exe.c", A}, {"trailing.", B},      {"", B},
        {"DHTML", A},        {"a.Html", A},    {"a.htmlx", B}, {"a.hh", B},           {"pl", A},
        {"dir/file.bat", A}, {"a.asp", A},     {"b.CFM", A},   {"c.cgi", A},          {"d.cpp", A},
        {"e.css", A},        {"f.h", A},       {"g.htm", A},   {"h.mak", A},          {"i.php", A},
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

#include "win32/FileManip.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A fresh folder below the temporary folder, removed (as far as it still exists) with the object.
class TempTree {
  public:
    TempTree() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "fm" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++s_count);
        CreateDirectoryA(root.c_str(), nullptr);
    }
    ~TempTree() {
        SetCurrentDirectoryA("C:\\");
        CFileManip::DeleteFolder(root, TRUE);
    }
    std::string Folder(const std::string& rel) const {
        const std::string p = root + "\\" + rel;
        CreateDirectoryA(p.c_str(), nullptr);
        return p;
    }
    std::string File(const std::string& rel, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
        const std::string p = root + "\\" + rel;
        HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        DWORD n;
        WriteFile(h, "data", 4, &n, nullptr);
        CloseHandle(h);
        return p;
    }
    std::string root;

  private:
    static inline int s_count = 0;
};

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentFolder() {
    char buf[MAX_PATH];
    return std::string(buf, GetCurrentDirectoryA(MAX_PATH, buf));
}
} // namespace

TEST(FileManip, PathKindTellsFilesFoldersAndNothing) {
    TempTree t;
    t.Folder("sub");
    t.Folder("sub2");
    t.File("a.txt");
    const std::pair<std::string, int> cases[] = {
        {t.root + "\\a.txt", CFileManip::PATH_FILES},
        {t.root + "\\sub", CFileManip::PATH_FOLDERS},
        {t.root + "\\sub*", CFileManip::PATH_FOLDERS}, // several folders, no file
        {t.root + "\\*", CFileManip::PATH_FILES},      // folders and a file
        {t.root + "\\*.txt", CFileManip::PATH_FILES},
        {t.root + "\\none", CFileManip::PATH_NONE},
        {t.root + "\\none\\*", CFileManip::PATH_NONE},
        {"", CFileManip::PATH_NONE},
        {t.root + "\\" + std::string(400, 'x'), CFileManip::PATH_NONE},
    };
    for (const auto& [pattern, kind] : cases)
        EXPECT_EQ(CFileManip::GetPathKind(pattern), kind) << pattern;
}

TEST(FileManip, DeletesATreeWithReadOnlyFilesAndTheCurrentFolderInside) {
    TempTree t;
    const std::string live = t.Folder("Live");
    const std::string deep = t.Folder("Live\\Drivers");
    t.Folder("Live\\Drivers\\VGA");
    t.Folder("Live\\Empty");
    t.File("Live\\modelmap.ini");
    t.File("Live\\Drivers\\readme.txt", FILE_ATTRIBUTE_READONLY);
    t.File("Live\\Drivers\\VGA\\setup.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const std::string keep = t.File("keep.txt");
    ASSERT_TRUE(SetCurrentDirectoryA((deep + "\\VGA").c_str()));

    EXPECT_TRUE(CFileManip::DeleteFolder(live, TRUE));
    EXPECT_FALSE(Exists(live));
    EXPECT_TRUE(Exists(keep));
    EXPECT_EQ(lstrcmpiA(CurrentFolder().c_str(), t.root.c_str()), 0) << CurrentFolder();
}

TEST(FileManip, CurrentFolderElsewhereStaysBelowItsDriveRoot) {
    TempTree t;
    const std::string live = t.Folder("Live");
    const std::string other = t.Folder("Other");
    t.Folder("Other\\Deeper");
    ASSERT_TRUE(SetCurrentDirectoryA((other + "\\Deeper").c_str()));
    EXPECT_TRUE(CFileManip::DeleteFolder(live, TRUE));
    EXPECT_FALSE(Exists(live));
    // The walk climbs to the first folder above the deleted one, not further.
    EXPECT_EQ(lstrcmpiA(CurrentFolder().c_str(), t.root.c_str()), 0) << CurrentFolder();
}

TEST(FileManip, RefusesWhatItCannotNameWhole) {
    TempTree t;
    const std::string live = t.Folder("Live");
    t.File("Live\\x.txt");
    // Cut to the shell's limit the path would name another folder; it is refused instead.
    EXPECT_FALSE(CFileManip::DeleteFolder(live + "\\" + std::string(300, 'y'), TRUE));
    EXPECT_FALSE(CFileManip::DeleteFolder("", TRUE));
    EXPECT_FALSE(CFileManip::DeleteFolder(t.root + "\\missing", TRUE));
    EXPECT_TRUE(Exists(live + "\\x.txt"));
}

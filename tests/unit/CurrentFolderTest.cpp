#include "core/CurrentFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
// A current folder whose changes succeed where `accepts` says so; every change asked is recorded.
class FakeFolder : public CurrentFolder {
  public:
    explicit FakeFolder(std::string start, std::function<bool(const std::string&)> accepts = nullptr)
        : m_folder(std::move(start)), m_accepts(std::move(accepts)) {}
    std::string Get() override { return m_folder; }
    bool Set(const std::string& folder) override {
        asked.push_back(folder);
        if (m_accepts && !m_accepts(folder)) return false;
        m_folder = folder;
        return true;
    }
    std::vector<std::string> asked;

  private:
    std::string m_folder;
    std::function<bool(const std::string&)> m_accepts;
};
} // namespace

TEST(CurrentFolder, DriveRoots) {
    for (const char* yes : {"C:", "c:\\", "Z:", "a:"})
        EXPECT_TRUE(IsDriveRoot(yes)) << yes;
    for (const char* no : {"C", "C:\\x", "1:", "C;\\", "C:/", "", "\\\\", "CC:"})
        EXPECT_FALSE(IsDriveRoot(no)) << no;
}

TEST(CurrentFolder, AncestorIsACaseBlindPrefixEndingAtABackslash) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\A", "C:\\a\\B", true},
        {"c:\\temp", "C:\\TEMP\\Live", true},
        {"C:\\A", "C:\\AB\\C", false}, // a longer name, not a folder above
        {"C:\\", "C:\\A", false},      // a root with its backslash never is
        {"C:\\", "C:\\A\\B", false},
        {"C:", "C:\\A", true},
        {"C:\\A", "C:\\A", false},   // the folder itself
        {"C:\\A", "C:\\A\\", false}, // not two characters shorter
        {"C:\\A", "C:\\A\\x", true},
        {"D:\\A", "C:\\A\\B", false},
        {"", "\\", false},
        {"", "\\x", true},
    };
    for (const auto& [folder, path, expected] : cases)
        EXPECT_EQ(IsAncestorFolder(folder, path), expected) << folder << " / " << path;
}

TEST(CurrentFolder, WalksUpUntilAboveThePath) {
    FakeFolder cur("C:\\Temp\\Live\\Drivers\\VGA");
    MoveCurrentFolderAbove("C:\\Temp\\Live", cur);
    EXPECT_EQ(cur.Get(), "C:\\Temp");
    EXPECT_EQ(cur.asked, (std::vector<std::string>{"C:\\Temp\\Live\\Drivers", "C:\\Temp\\Live", "C:\\Temp"}));
}

TEST(CurrentFolder, StaysWhenAlreadyAbove) {
    FakeFolder cur("C:\\TEMP");
    MoveCurrentFolderAbove("c:\\temp\\live", cur);
    EXPECT_TRUE(cur.asked.empty());
}

TEST(CurrentFolder, NeverEntersADriveRoot) {
    FakeFolder inside("C:\\Live\\x");
    MoveCurrentFolderAbove("C:\\Live", inside);
    EXPECT_EQ(inside.Get(), "C:\\Live");
    FakeFolder elsewhere("D:\\Work\\y");
    MoveCurrentFolderAbove("C:\\Temp\\Live", elsewhere);
    EXPECT_EQ(elsewhere.Get(), "D:\\Work");
    FakeFolder root("D:\\");
    MoveCurrentFolderAbove("C:\\Temp\\Live", root);
    EXPECT_TRUE(root.asked.empty());
}

TEST(CurrentFolder, ARefusedStepEndsTheWalk) {
    FakeFolder cur("C:\\A\\B\\C", [](const std::string& f) { return f != "C:\\A\\B"; });
    MoveCurrentFolderAbove("C:\\X\\Y", cur);
    EXPECT_EQ(cur.Get(), "C:\\A\\B\\C");
    EXPECT_EQ(cur.asked.size(), 1u);
}

TEST(CurrentFolder, ANetworkFolderEndsTheWalkInsteadOfLoopingForEver) {
    // A share's root: cutting it names the server, which cannot be a current folder.
    FakeFolder refused("\\\\srv\\share\\dir", [](const std::string& f) { return f != "\\\\srv"; });
    MoveCurrentFolderAbove("C:\\Temp\\Live", refused);
    EXPECT_EQ(refused.Get(), "\\\\srv\\share");
    EXPECT_EQ(refused.asked.size(), 2u);

    // A change that reports success but lands where it was (Windows keeps a share's root).
    class Stubborn : public FakeFolder {
      public:
        using FakeFolder::FakeFolder;
        bool Set(const std::string& f) override {
            asked.push_back(f);
            return true;
        }
    } stuck("\\\\srv\\share\\");
    MoveCurrentFolderAbove("C:\\Temp\\Live", stuck);
    EXPECT_EQ(stuck.asked.size(), 1u);
}

TEST(CurrentFolder, AFolderWithoutBackslashStays) {
    FakeFolder cur("weird");
    MoveCurrentFolderAbove("C:\\Temp\\Live", cur);
    EXPECT_TRUE(cur.asked.empty());
}

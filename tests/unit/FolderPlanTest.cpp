#include <gtest/gtest.h>

#include <map>

#include "core/FolderPlan.h"

namespace {
using Fault = CTransferReport::Fault;
using Stop = CTransferReport::Stop;

// A side whose folders are a map; entering a relative folder resolves it below "/srv/".
struct FakeSide {
    std::map<std::string, std::vector<FolderEntry>> folders;
    int listings = 0;
    CFolderPlan::Lister Lister() {
        return [this](const std::string& folder, std::string& resolved, std::vector<FolderEntry>& entries) {
            ++listings;
            resolved = folder[0] == '/' ? folder : "/srv/" + folder;
            auto it = folders.find(resolved);
            if (it == folders.end()) return false;
            entries = it->second;
            return true;
        };
    }
};
} // namespace

TEST(FolderPlan, FilesBeforeSubFoldersAndAFailedFolderDoesNotEndTheWalk) {
    FakeSide side;
    side.folders["/srv/d/"] = {
        {"a.bin", false, 10}, {"sub", true, 0}, {"locked", true, 0}, {"later", true, 0}, {"b.bin", false, 5}};
    side.folders["/srv/d/sub/"] = {{"c.bin", false, 7}, {"..\\up", true, 0}, {"C:x", false, 1}};
    side.folders["/srv/d/later/"] = {{"e.bin", false, 1}};
    CTransferReport report;
    CFolderPlan plan;
    std::atomic<int> abort{2}; // only 1 stops
    plan.Build(side.Lister(), "d/", 100, &abort, report);

    EXPECT_EQ(Stop::None, report.m_stop);
    EXPECT_EQ((std::vector<std::string>{"sub/", "locked/", "later/"}), plan.m_folders);
    std::vector<std::string> paths, sources;
    for (const auto& f : plan.m_files) {
        paths.push_back(f.path);
        sources.push_back(f.source);
    }
    EXPECT_EQ((std::vector<std::string>{"a.bin", "b.bin", "sub/c.bin", "later/e.bin"}), paths);
    EXPECT_EQ("/srv/d/sub/c.bin", sources[2]);
    EXPECT_EQ(23u, plan.m_dwTotal);
    EXPECT_EQ(3u, report.FailedCount()); // sub/..\up, sub/C:x, locked/
    EXPECT_NE(std::string::npos, report.Message().find("locked/: the folder could not be entered"));
    EXPECT_NE(std::string::npos, report.Message().find("sub/C:x: refused"));
}

// Two sub-folders in every folder, without end: the walk ends at the entry limit, not after
// 2^depth listings.
TEST(FolderPlan, ATreeWithoutEndStopsAtTheEntryLimit) {
    int listings = 0;
    CFolderPlan::Lister wide = [&](const std::string& folder, std::string& resolved,
                                   std::vector<FolderEntry>& entries) {
        ++listings;
        resolved = folder;
        entries = {{"a", true, 0}, {"b", true, 0}};
        return true;
    };
    CTransferReport report;
    CFolderPlan plan;
    std::atomic<int> abort{0};
    plan.Build(wide, "/", 1000, &abort, report);
    EXPECT_EQ(Stop::TooMany, report.m_stop);
    EXPECT_EQ(int(CFolderPlan::kMaxEntries / 2 + 1), listings);
}

TEST(FolderPlan, DepthEndsAtThePathRoom) {
    CFolderPlan::Lister deep = [](const std::string& folder, std::string& resolved,
                                  std::vector<FolderEntry>& entries) {
        resolved = folder;
        entries = {{"sub", true, 0}, {"f.bin", false, 1}};
        return true;
    };
    CTransferReport report;
    CFolderPlan plan;
    std::atomic<int> abort{0};
    plan.Build(deep, "/", 20, &abort, report); // "sub/sub/sub/sub/sub/" is 20
    EXPECT_EQ(Stop::None, report.m_stop);
    ASSERT_EQ(5u, plan.m_folders.size());
    EXPECT_EQ("sub/sub/sub/sub/sub/", plan.m_folders.back());
    EXPECT_EQ("sub/sub/sub/f.bin", plan.m_files.back().path);
    EXPECT_EQ(3u, report.FailedCount()); // sub/sub/sub/sub/f.bin is 21, and all of the sixth level
}

TEST(FolderPlan, StopsForAbortAndForAMissingRoot) {
    FakeSide side;
    side.folders["/x/"] = {{"sub", true, 0}};
    side.folders["/x/sub/"] = {{"f", false, 1}};
    std::atomic<int> abort{0};
    CFolderPlan::Lister list = side.Lister();
    CFolderPlan::Lister cancelling = [&](const std::string& f, std::string& r, std::vector<FolderEntry>& e) {
        abort = 1; // the user cancels during the first listing
        return list(f, r, e);
    };
    CTransferReport aborted, missing;
    CFolderPlan a, m;
    a.Build(cancelling, "/x/", 100, &abort, aborted);
    EXPECT_EQ(Stop::Aborted, aborted.m_stop);
    EXPECT_TRUE(a.m_files.empty());
    abort = 0;
    m.Build(list, "/nothing/", 100, &abort, missing);
    EXPECT_EQ(Stop::NoFolder, missing.m_stop);
}

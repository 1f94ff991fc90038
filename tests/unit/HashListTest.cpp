#include <gtest/gtest.h>

#include "core/HashList.h"

namespace {
const std::string kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

CSha256::Digest Of(const std::string& text) {
    CSha256 h;
    h.Add(text.data(), text.size());
    return h.Finish();
}
} // namespace

TEST(HashList, AFileFetchMatchesItsOneValueInEitherCase) {
    CHashList list;
    EXPECT_TRUE(list.Empty());
    list.AddFile("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
    EXPECT_FALSE(list.Empty());
    EXPECT_TRUE(list.Matches("", Of("abc")));
    EXPECT_TRUE(list.Unmatched().empty());
    EXPECT_FALSE(list.Matches("", Of("abc"))); // a value serves one file

    CHashList other;
    other.AddFile(kAbc);
    EXPECT_FALSE(other.Matches("", Of("abd")));
}

TEST(HashList, AMalformedValueMatchesNothing) {
    for (const std::string& bad : {std::string(), kAbc.substr(1), kAbc + "0", "0x" + kAbc.substr(2),
                                   kAbc.substr(0, 63) + "g", kAbc.substr(0, 32) + " " + kAbc.substr(33)}) {
        CHashList list;
        list.AddFile(bad);
        EXPECT_FALSE(list.Empty()) << bad;
        EXPECT_FALSE(list.Matches("", Of("abc"))) << bad;
    }
}

TEST(HashList, AFolderFetchMatchesEachFileByItsPath) {
    CHashList list;
    list.AddEntry(kAbc + "  Sub/Setup.exe");    // sha256sum's text form
    list.AddEntry(kAbc + " *readme.txt");       // and its binary form
    list.AddEntry(kAbc + " drivers\\lan.inf");  // "\" as on the CD
    list.AddEntry(kAbc + " never/arrives.bin"); // a value without a file
    list.AddEntry(kAbc);                        // no path
    list.AddEntry("not-hex sub/broken.sys");    // a value that cannot match
    EXPECT_TRUE(list.Matches("sub\\setup.EXE", Of("abc")));
    EXPECT_TRUE(list.Matches("readme.txt", Of("abc")));
    EXPECT_TRUE(list.Matches("drivers/lan.inf", Of("abc")));
    EXPECT_FALSE(list.Matches("sub/broken.sys", Of("abc")));
    EXPECT_FALSE(list.Matches("unlisted.dll", Of("abc")));
    EXPECT_EQ((std::vector<std::string>{"never/arrives.bin", ""}), list.Unmatched());
}

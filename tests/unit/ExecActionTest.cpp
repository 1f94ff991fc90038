#include "core/ExecAction.h"

#include <gtest/gtest.h>

TEST(ExecAction, ActionWordsMatchOnlyWithTheirCase) {
    for (const char* other : {"open", "OPEN", "explore", "ftp_file", "Open ", "", "OpenPDF"})
        EXPECT_EQ(ExecActionOf(other), ExecAction::None) << other;
}

TEST(ExecAction, FolderPartKeepsTheLastBackslash) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Docs\\a.txt", "D:\\Docs\\"},
        {"D:\\Docs\\", "D:\\Docs\\"},
        {"D:\\a.txt", "D:\\"},
        {"\\\\srv\\share\\x", "\\\\srv\\share\\"},
        {"a.txt", ""},
        {"http://example.com/x", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderPart(c.first), c.second) << c.first;
}

TEST(ExecAction, PdfHintOnlyForExactCaseEndings) {
    for (const char* yes : {"a.pdf", "A.PDF", "pdf", "manualpdf"})
        EXPECT_TRUE(NeedsPdfReader(yes)) << yes;
    for (const char* no : {"a.Pdf", "a.pDF", "a.pdf ", "df", "", "a.txt"})
        EXPECT_FALSE(NeedsPdfReader(no)) << no;
}

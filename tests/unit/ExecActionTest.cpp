#include "core/ExecAction.h"

#include <gtest/gtest.h>

TEST(ExecAction, ActionWordsMatchWithTheirCase) {
    const std::pair<const char*, ExecAction> cases[] = {
        {"Open", ExecAction::Open},
        {"Explore", ExecAction::Explore},
        {"Link", ExecAction::Link},
        {"FTP_FILE", ExecAction::FtpFile},
        {"FTP_FOLDER", ExecAction::FtpFolder},
        {"open", ExecAction::None},
        {"OPEN", ExecAction::None},
        {"explore", ExecAction::None},
        {"ftp_file", ExecAction::None},
        {"Open ", ExecAction::None},
        {"", ExecAction::None},
        {"OpenPDF", ExecAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExecActionOf(c.first), c.second) << c.first;
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

#include <gtest/gtest.h>

#include "core/TransferReport.h"

TEST(TransferReport, OneMessageNamesEveryFailedFile) {
    CTransferReport r;
    EXPECT_TRUE(r.Complete());
    EXPECT_EQ("", r.Message());
    r.Add("setup.exe", CTransferReport::Fault::Damaged);
    r.Add("sub/b.bin", CTransferReport::Fault::Failed);
    r.Add("../evil\r\n.txt", CTransferReport::Fault::Refused);
    r.Add("", CTransferReport::Fault::Missing);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ("The transfer did not complete, so nothing of it is opened. These files failed:\r\n"
              "\r\nsetup.exe: damaged or altered on the way; deleted"
              "\r\nsub/b.bin: the transfer failed"
              "\r\n../evil??.txt: refused: the name leads out of the folder"
              "\r\n(no name): listed with a SHA-256 value but not found",
              r.Message());
}

TEST(TransferReport, LongListsAndLongNamesAreCut) {
    CTransferReport r;
    r.Add(std::string(300, 'L'), CTransferReport::Fault::TooLong);
    for (int i = 0; i < 20; ++i)
        r.Add("f" + std::to_string(i), CTransferReport::Fault::Failed);
    const std::string m = r.Message();
    EXPECT_NE(std::string::npos, m.find("\r\n" + std::string(80, 'L') + "...: the path is too long"));
    EXPECT_NE(std::string::npos, m.find("\r\nf13: the transfer failed\r\nand 6 more."));
    EXPECT_EQ(std::string::npos, m.find("f14"));
}

TEST(TransferReport, AStopSaysWhyInsteadOfTheList) {
    CTransferReport r;
    r.Add("a", CTransferReport::Fault::Failed);
    r.m_stop = CTransferReport::Stop::TooMany;
    r.m_nEntryLimit = 10000;
    EXPECT_EQ("The folder holds more than 10000 entries, so the transfer was stopped and nothing was opened.",
              r.Message());
    r.m_stop = CTransferReport::Stop::NoFolder;
    EXPECT_EQ("This folder don't exist.", r.Message());
    r.m_stop = CTransferReport::Stop::Aborted; // the owner says "Operation aborts"
    EXPECT_EQ("", r.Message());
    EXPECT_FALSE(r.Complete());
}

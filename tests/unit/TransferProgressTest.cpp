#include <gtest/gtest.h>

#include "core/TransferProgress.h"

TEST(TransferProgress, RateAndTimeLeftFromTheLastSecond) {
    CTransferProgress p;
    p.OnTick(1536, 5000);
    auto t = p.OnTick(2560, 5000);
    EXPECT_EQ(51, t.percent);
    EXPECT_EQ("Transfer rate: 1KBytes/sec", t.rate);
    EXPECT_EQ("Estimated time left: 2Sec (2/4 KBytes)", t.timeLeft);

    t = p.OnTick(2560, 5000); // no progress: rate 0, time-left line kept
    EXPECT_EQ("Transfer rate: 0Bytes/sec", t.rate);
    EXPECT_EQ("", t.timeLeft);
}

TEST(TransferProgress, BarNeverPassesFullWhenTheCounterOvertakesTheTotal) {
    CTransferProgress p;
    auto t = p.OnTick(4096, 1000);
    EXPECT_EQ(100, t.percent);
    EXPECT_EQ("Estimated time left: 0Sec (4/0 KBytes)", t.timeLeft);
    EXPECT_EQ(100, CTransferProgress().OnTick(10, 0).percent);
    EXPECT_EQ(0, CTransferProgress().OnTick(0, 0).percent); // a folder still being listed
}

TEST(TransferProgress, LongTransfersInMinutesAndHours) {
    CTransferProgress p;
    auto t = p.OnTick(10240, 64u << 20);
    EXPECT_EQ(0, t.percent);
    EXPECT_EQ("Transfer rate: 10KBytes/sec", t.rate);
    EXPECT_EQ("Estimated time left: 1Hour (10/65536 KBytes)", t.timeLeft);
    t = p.OnTick(10240 + (2u << 20), 64u << 20);
    EXPECT_EQ("Transfer rate: 2MBytes/sec", t.rate);
    EXPECT_EQ("Estimated time left: 30Sec (2058/65536 KBytes)", t.timeLeft);
}

#include <gtest/gtest.h>

#include "core/BlockSizer.h"

TEST(BlockSizer, GrowsOnAQuickLineUpToTheLimit) {
    CBlockSizer s;
    EXPECT_EQ(4096u, s.Size());
    s.Done(4096, 24);
    EXPECT_EQ(8192u, s.Size());
    s.Done(8000, 1); // a short block: the line gave what it had
    EXPECT_EQ(8192u, s.Size());
    for (int i = 0; i < 20; ++i)
        s.Done(s.Size(), 0);
    EXPECT_EQ(CBlockSizer::kMost, s.Size());
    EXPECT_EQ(1024u * 1024, CBlockSizer::kMost);
}

TEST(BlockSizer, ShrinksOnASlowLineDownToTheLeast) {
    CBlockSizer s;
    s.Done(4096, 25); // neither quick nor slow
    EXPECT_EQ(4096u, s.Size());
    s.Done(4096, 101);
    EXPECT_EQ(2048u, s.Size());
    for (int i = 0; i < 5; ++i)
        s.Done(s.Size(), 5000);
    EXPECT_EQ(1024u, s.Size());
    s.Done(0, 100); // a stall of exactly the limit keeps the size
    EXPECT_EQ(1024u, s.Size());
}

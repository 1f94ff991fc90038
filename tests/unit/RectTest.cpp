#include "core/Rect.h"

#include <gtest/gtest.h>

TEST(ParseRect, ReadsFourNumbersAndRepeatsTheLastForMissingOnes) {
    const struct {
        const char* text;
        Rect want;
    } cases[] = {
        {"520, 420, 600, 460", {520, 420, 600, 460}},
        {"500,400,580", {500, 400, 580, 580}},
        {"520, 420", {520, 420, 420, 420}},
        {"7", {7, 7, 7, 7}},
        {"", {0, 0, 0, 0}},
        {"garbage", {0, 0, 0, 0}},
        {",,,", {0, 0, 0, 0}},
        {"x, 5", {0, 5, 5, 5}},
        {"1,,3", {1, 0, 3, 3}},
        {" -10 ,+20,\t30,  40", {-10, 20, 30, 40}},
        {"12abc, 34px, 5 6, 7", {12, 34, 5, 7}},
        {"1, 2, 3, 4, 5, 6", {1, 2, 3, 4}},
        {"- 5, --6, +-7, 8", {0, 0, 0, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseRect(c.text), c.want);
    }
}

TEST(ParseRect, OverlongNumbersWrapInsteadOfOverflowing) {
    EXPECT_EQ(ParseRect("4294967396").left, 100);
    EXPECT_EQ(ParseRect("2147483648").left, -2147483647 - 1);
    EXPECT_EQ(ParseRect("-2147483648").left, -2147483647 - 1);
    EXPECT_EQ(ParseRect(std::string(5000, '9')).left, ParseRect(std::string(5000, '9')).bottom);
}

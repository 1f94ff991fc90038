#include <gtest/gtest.h>

#include "core/StringExpression.h"

namespace {
TEST(StringExpression, SizeUnitsAtTheirBoundaries) {
    const struct {
        std::uint32_t bytes;
        const char* text;
    } cases[] = {
        {0, "0Bytes"},           {1023, "1023Bytes"},  {1024, "1KBytes"},    {2047, "1KBytes"},
        {1048575, "1023KBytes"}, {1048576, "1MBytes"}, {5242879, "4MBytes"}, {4294967295u, "4095MBytes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, CStringExpression().FormatSize(c.bytes)) << c.bytes;
}

TEST(StringExpression, TimeUnitsAtTheirBoundaries) {
    const struct {
        std::uint32_t seconds;
        const char* text;
    } cases[] = {
        {0, "0Sec"},     {59, "59Sec"},   {60, "1Min"},    {119, "1Min"},
        {3599, "59Min"}, {3600, "1Hour"}, {7199, "1Hour"}, {4294967295u, "1193046Hour"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, CStringExpression().FormatTime(c.seconds)) << c.seconds;
}
} // namespace

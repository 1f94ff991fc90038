#include "core/WbemErrors.h"

#include <gtest/gtest.h>

TEST(WbemErrors, NamesKnownCodesAndWritesOthersInHex) {
    struct {
        std::uint32_t code;
        const char* text;
    } const cases[] = {
        {0, "WBEM_NO_ERROR"},
        {1, "WBEM_S_FALSE"},
        {0x40001, "WBEM_S_ALREADY_EXISTS"},
        {0x40003, "WBEM_S_DIFFERENT"},
        {0x40004, "40004"}, // WBEM_S_TIMEDOUT is not among the names
        {0x40005, "WBEM_S_NO_MORE_DATA"},
        {0x80041000, "80041000"},
        {0x80041001, "WBEM_E_FAILED"},
        {0x80041010, "WBEM_E_INVALID_CLASS"},
        {0x8004101D, "WBEM_E_UNEXPECTED"},
        {0x8004102C, "WBEM_E_CANNOT_BE_SINGLETON"},
        {0x8004102D, "8004102d"},
        {0x80070005, "80070005"},
        {2, "2"},
        {0xFFFFFFFF, "ffffffff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, WbemErrorName(c.code)) << std::hex << c.code;
}

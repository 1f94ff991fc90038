#include "core/StartPage.h"

#include <gtest/gtest.h>

TEST(WantsStartWindow, OnlyNormalInAnyCaseKeepsTheWaitWindow) {
    for (const char* normal : {"Normal", "normal", "NORMAL", "nOrMaL"})
        EXPECT_FALSE(WantsStartWindow(normal));
    // Anything else is an address, even when it merely looks like the word.
    for (const char* page :
         {"", "Normal ", " Normal", "Norma", "Normals", "<Path>\\Start\\index.htm", "N\xD3rmal"})
        EXPECT_TRUE(WantsStartWindow(page)) << page;
}

TEST(StartPageAddress, ReplacesEveryExactPathReference) {
    const struct {
        const char* value;
        const char* want;
    } cases[] = {
        {"<Path>\\Start\\index.htm", "D:\\CD\\Start\\index.htm"},
        {"<Path>\\a.htm#<Path>", "D:\\CD\\a.htm#D:\\CD"},
        {"<Path><Path>", "D:\\CDD:\\CD"},
        {"<path>\\a.htm", "<path>\\a.htm"}, // case counts
        {"<PATH>\\a.htm", "<PATH>\\a.htm"},
        {"<Path\\a.htm", "<Path\\a.htm"},
        {"http://example.com/", "http://example.com/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.want, StartPageAddress(c.value, "D:\\CD")) << c.value;
}

TEST(StartPageAddress, DoesNotExpandWhatThePathBrings) {
    EXPECT_EQ("X<Path>\\a", StartPageAddress("<Path>\\a", "X<Path>"));
    EXPECT_EQ("\\a", StartPageAddress("<Path>\\a", ""));
}

TEST(StartPageAddress, LongValuesStayWhole) {
    std::string value;
    for (int i = 0; i < 500; ++i)
        value += "<Path>";
    const std::string address = StartPageAddress(value, "C:\\Program Files\\Vorn");
    EXPECT_EQ(500 * std::string("C:\\Program Files\\Vorn").size(), address.size());
    const std::string plain(3000, 'x');
    EXPECT_EQ(plain, StartPageAddress(plain, "D:"));
}

TEST(IsAppAddress, AppPrefixInAnyCaseGivesTheCommand) {
    const struct {
        const char* address;
        bool app;
        const char* command;
    } cases[] = {
        {"app:exit", true, "exit"},
        {"APP:Exit", true, "Exit"},
        {"aPp:run?x=1", true, "run?x=1"},
        {"app:", true, ""},
        {"app", false, ""},
        {"ap:exit", false, ""},
        {" app:exit", false, ""},
        {"file:///D:/CD/app:exit", false, ""},
        {"http://app:80/", false, ""},
        {"", false, ""},
        // Big5: a lead byte with a letter as trail byte is one character, never "a".
        {"\xA4\x61pp:exit", false, ""},
        {"\xC1PP:exit", false, ""}, // no folding beyond ASCII
        {"app:\xA4\x40", true, "\xA4\x40"},
    };
    for (const auto& c : cases) {
        std::string command;
        EXPECT_EQ(c.app, IsAppAddress(c.address, command)) << c.address;
        EXPECT_EQ(c.command, command) << c.address;
    }
}

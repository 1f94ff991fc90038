// The word of the command line that start-up must open as a file.
#include <gtest/gtest.h>

#include "core/CommandLine.h"

TEST(CommandLine, FirstWordThatIsNoOption) {
    struct {
        std::vector<std::string> words;
        const char* expected;
    } cases[] = {
        {{}, ""},
        {{"-silent:3", "/Drivers.ini", "/Setup"}, ""},
        {{"-sim:C:\\hw.ini"}, ""},
        {{"\\Other.ini"}, "\\Other.ini"},
        // A resume line whose section has a blank: the word after it is taken as a file.
        {{"-silent:3", "/Drivers.ini", "/My", "Setup"}, "Setup"},
        {{"", "next"}, "next"},
        {{"a", "b"}, "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DocumentArgument(c.words), c.expected);
}

#include <gtest/gtest.h>

#include "core/ResumeCommand.h"

namespace {
TEST(ResumeCommand, WritesTheQuotedProgramAndThePageFileBelowTheProgramFolder) {
    struct Case {
        const char *folder, *ini, *section;
        int step;
        const char* line;
    };
    const Case cases[] = {
        {"D:", "D:\\Drivers.ini", "Setup", 3, "\"D:\\Autorun.exe\" -silent:3 /Drivers.ini /Setup"},
        {"C:\\Driver CD", "C:\\Driver CD\\Pages\\Install.ini", "X100.WinXP", 12,
         "\"C:\\Driver CD\\Autorun.exe\" -silent:12 /Pages\\Install.ini /X100.WinXP"},
        {"d:\\cd", "D:\\CD\\Install.ini", "S", 10, "\"d:\\cd\\Autorun.exe\" -silent:10 /Install.ini /S"},
        {"D:", "Install.ini", "My Board", 2, "\"D:\\Autorun.exe\" -silent:2 /Install.ini /My Board"},
        {"D:", "D:\\a/b.ini", "S", 2, "\"D:\\Autorun.exe\" -silent:2 /a/b.ini /S"},
        // Nothing that would be read back otherwise, or found elsewhere, is written.
        {"D:", "E:\\Install.ini", "S", 2, ""},
        {"D:\\CD", "D:\\CDX\\Install.ini", "S", 2, ""},
        {"D:", "D:\\..\\Install.ini", "S", 2, ""},
        {"D:", "D:\\Install.ini", "P4/Pro", 2, ""},
        {"D:", "D:\\Install.ini", "", 2, ""},
        {"D:", "D:\\", "S", 2, ""},
        {"D:", "D:\\Install.ini", "S", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, ResumeCommand::CommandLine(c.folder, c.step, c.ini, c.section))
            << c.ini << " " << c.section;
}

TEST(ResumeCommand, ReadsWellFormedArguments) {
    struct Case {
        const char* args;
        int step;
        const char *file, *section;
    };
    const Case cases[] = {
        {"-silent:3 /Drivers.ini /Setup", 3, "Drivers.ini", "Setup"},
        {"-silent:12 /Pages\\Install.ini /X100.WinXP", 12, "Pages\\Install.ini", "X100.WinXP"},
        {"-silent:007 /My Pages\\In stall.ini /My Board", 7, "My Pages\\In stall.ini", "My Board"},
        {"-silent:2 /a/b.ini /S", 2, "a/b.ini", "S"},
        {"-silent:2 /a /b /c", 2, "a /b", "c"},
        {"-silent:999999999 /F /S", 999999999, "F", "S"},
        {"-silent:2 /F /S ", 2, "F", "S "},
    };
    for (const Case& c : cases) {
        ResumeCommand r;
        ASSERT_TRUE(ResumeCommand::Parse(c.args, r)) << c.args;
        EXPECT_EQ(c.step, r.step) << c.args;
        EXPECT_EQ(c.file, r.file) << c.args;
        EXPECT_EQ(c.section, r.section) << c.args;
    }
}

TEST(ResumeCommand, MalformedArgumentsResumeNothing) {
    const char* cases[] = {
        "",
        "-silent",
        "-silent:",
        "-silent:3",
        "-silent:3 ",
        "-silent:3 /",
        "-silent:3 /Drivers.ini",
        "-silent:3 /Drivers.ini /",
        "-silent:3 / /S",
        "-silent:3 //S",
        "-silent:3 /F/S",
        "-silent:0 /F /S",
        "-silent:x /F /S",
        "-silent:3x /F /S",
        "-silent: 3 /F /S",
        "-silent:1234567890 /F /S",
        "-SILENT:3 /F /S",
        "x -silent:3 /F /S",
        "-silent:3 /..\\F.ini /S",
        "-silent:3 /Pages\\..\\..\\F.ini /S",
        "-silent:3 /C:\\F.ini /S",
        "-silent:3 /\\\\server\\F.ini /S",
        "-silent:3 /\\F.ini /S",
    };
    for (const char* args : cases) {
        ResumeCommand r;
        r.step = -1;
        EXPECT_FALSE(ResumeCommand::Parse(args, r)) << args;
        EXPECT_EQ(-1, r.step) << args;
    }
}

TEST(ResumeCommand, ReadsBackWhatItWrites) {
    const std::string line =
        ResumeCommand::CommandLine("C:\\Driver CD", 5, "C:\\Driver CD\\sub\\p.ini", "A B");
    const std::string program = "\"C:\\Driver CD\\Autorun.exe\" ";
    ASSERT_EQ(0u, line.find(program));
    ResumeCommand r;
    ASSERT_TRUE(ResumeCommand::Parse(line.substr(program.size()), r));
    EXPECT_EQ(5, r.step);
    EXPECT_EQ("sub\\p.ini", r.file);
    EXPECT_EQ("C:\\Driver CD\\sub\\p.ini", r.PageFile("C:\\Driver CD"));
    EXPECT_EQ("A B", r.section);
}
} // namespace

#include <gtest/gtest.h>

#include "core/RunMode.h"

namespace {
TEST(RunMode, ChoosesByPrecedenceAndTakesTheDumpFileAtItsFixedPlace) {
    struct Case {
        const char* line;
        RunMode mode;
        const char* file;
    };
    const Case cases[] = {
        {"", RunMode::Normal, ""},
        {"-silent:3 /Drivers.ini /Setup", RunMode::Resume, ""},
        {"-silent:3 /-dump.ini /Setup", RunMode::Resume, ""},
        {"-dump:C:\\hw.ini", RunMode::Dump, "C:\\hw.ini"},
        {"-dump:\"C:\\My Dumps\\hw.ini\"", RunMode::Dump, "C:\\My Dumps\\hw.ini"},
        {"-dump \"a\"\"b\"", RunMode::Dump, "ab"},
        {"-dump:", RunMode::Dump, ""},
        {"-dump", RunMode::Dump, ""}, // shorter than switch and separator
        {"-dumpx", RunMode::Dump, ""},
        {"x -dump:C:\\hw.ini", RunMode::Dump,
         "p:C:\\hw.ini"}, // the switch is found anywhere, the file is not
        {"-sim:C:\\hw.ini", RunMode::Simulation, "C:\\hw.ini"},
        {"-sim:\"D:\\dumps\\p5q.ini\"", RunMode::Simulation, "D:\\dumps\\p5q.ini"},
        {"-sim", RunMode::Simulation, ""},
        {"-sim:-dump.ini", RunMode::Dump, "dump.ini"},
        {"-DUMP:C:\\hw.ini", RunMode::Custom, ""},
        {"-SIM:C:\\hw.ini", RunMode::Custom, ""},
        {"\\Other.ini", RunMode::Custom, ""},
    };
    for (const Case& c : cases) {
        RunModeChoice choice = ChooseRunMode(c.line);
        EXPECT_EQ(c.mode, choice.mode) << c.line;
        EXPECT_EQ(c.file, choice.dumpFile) << c.line;
    }
}
} // namespace

#include <gtest/gtest.h>

#include "core/QuietSwitches.h"
#include "core/ResumeCommand.h"
#include "core/RunMode.h"

namespace {
TEST(QuietSwitches, ALineWithoutThemIsLeftAsItWas) {
    for (const char* line : {"", " -sim:C:\\a b.dmp ", "-silent:3 /Pages\\Install.ini /X100", "\\Other.ini",
                             "-dump:C:\\-unattended.ini", "-logfile", "-unattendedx"}) {
        const QuietSwitches s = QuietSwitches::Read(line);
        EXPECT_FALSE(s.Quiet()) << line;
        EXPECT_EQ(line, s.rest);
    }
}

TEST(QuietSwitches, AreTakenOutAnywhereAndTheRestReadsByTheOldRules) {
    const QuietSwitches s =
        QuietSwitches::Read("-unattended -sim:C:\\x.dmp -log:\"C:\\My Logs\\a.log\" -norestart");
    EXPECT_TRUE(s.unattended);
    EXPECT_TRUE(s.noRestart);
    EXPECT_EQ("C:\\My Logs\\a.log", s.log);
    const RunModeChoice choice = ChooseRunMode(s.rest);
    EXPECT_EQ(RunMode::Simulation, choice.mode);
    EXPECT_EQ("C:\\x.dmp", choice.dumpFile);

    // Windows quotes a whole argument that holds a blank.
    const QuietSwitches q =
        QuietSwitches::Read("\"-log:C:\\My Logs\\b.log\" \"-unattended\" -silent:2 /I.ini /S");
    EXPECT_EQ("C:\\My Logs\\b.log", q.log);
    EXPECT_TRUE(q.unattended);
    EXPECT_EQ("-silent:2 /I.ini /S", q.rest);

    const QuietSwitches r = QuietSwitches::Read("-report:C:\\r.json");
    EXPECT_TRUE(r.Quiet());
    EXPECT_EQ("C:\\r.json", r.report);
    EXPECT_EQ(RunMode::Normal, ChooseRunMode(r.rest).mode);
}

TEST(QuietSwitches, ASwitchWithoutItsValueIsAnError) {
    for (const char* line : {"-unattended -log:", "-unattended -log:\"\" -norestart", "-report:"}) {
        const QuietSwitches s = QuietSwitches::Read(line);
        EXPECT_TRUE(s.Quiet()) << line;
        EXPECT_FALSE(s.error.empty()) << line;
    }
}

// A resumed run of an unattended sequence reads its step, file and section as before and stays unattended
// with the same log.
TEST(QuietSwitches, AResumeEntryWithThemResumesUnattended) {
    const std::string line =
        ResumeCommand::CommandLine("C:\\CD", 3, "C:\\CD\\Pages\\Install.ini", "X100.WinXP") +
        QuietSwitches::ForResume(true, "C:\\Documents and Settings\\a\\Autorun.log");
    const std::string args = line.substr(line.find("-silent"));
    const QuietSwitches s = QuietSwitches::Read(args);
    EXPECT_TRUE(s.unattended);
    EXPECT_TRUE(s.noRestart);
    EXPECT_EQ("C:\\Documents and Settings\\a\\Autorun.log", s.log);
    EXPECT_EQ(RunMode::Resume, ChooseRunMode(s.rest).mode);
    ResumeCommand resume;
    ASSERT_TRUE(ResumeCommand::Parse(s.rest, resume));
    EXPECT_EQ(3, resume.step);
    EXPECT_EQ("Pages\\Install.ini", resume.file);
    EXPECT_EQ("X100.WinXP", resume.section);
}
} // namespace

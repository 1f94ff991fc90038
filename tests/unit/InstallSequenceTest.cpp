#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "core/IniFile.h"
#include "core/InstallSequence.h"

namespace {
using Kind = CInstallSequence::Action::Kind;
using Restart = CInstallSequence::Action::Restart;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// A section as the profile functions answer it: keys ignore case; a substituted read replaces "<Path>".
struct Section {
    std::map<std::string, std::string> keys;
    CInstallSequence::Reader Reader() const {
        return [this](const std::string& key, bool substituted, const std::string& def) {
            for (const auto& [k, v] : keys) {
                if (Lower(k) != Lower(key)) continue;
                std::string value = v;
                std::size_t at = value.find("<Path>");
                if (substituted && at != std::string::npos) value.replace(at, 6, "D:");
                return value;
            }
            return def;
        };
    }
};

TEST(InstallSequence, CountsConsecutiveStepsInEitherLanguage) {
    struct Case {
        std::map<std::string, std::string> keys;
        int count;
    };
    const Case cases[] = {
        {{}, 0},
        {{{"Step1", "a.exe"}, {"Step3", "c.exe"}}, 1},
        {{{"Step1", "a.exe"}, {"Step2.CHT", "b.exe"}, {"Step3", "c.exe"}}, 3},
        {{{"Step1", "a.exe"}, {"Step2.ENU", "b.exe"}, {"Step3", "c.exe"}}, 1},
        {{{"Step1", "a.exe"}, {"Step2", ""}, {"Step3", "c.exe"}}, 1},
        {{{"step1", "a.exe"}, {"STEP2", "Reboot"}}, 2},
        {{{"Step2", "b.exe"}}, 0},
    };
    for (const Case& c : cases) {
        Section s{c.keys};
        EXPECT_EQ(c.count, CInstallSequence(s.Reader(), "CHT").StepCount());
    }
}

TEST(InstallSequence, RunsStepsWithTheirLabelsAndProgress) {
    Section s{{{"Step1", "<Path>\\vga\\setup.exe -s , Display driver "},
               {"Step2", "<Path>\\lan\\setup.exe"},
               {"Step3.CHT", "<Path>\\audio.exe,Audio"},
               {"Step3", "english.exe,English"},
               {"Step4", "x.exe,"}}};
    CInstallSequence seq(s.Reader(), "CHT");
    struct Expect {
        const char *command, *progress;
    };
    const Expect steps[] = {
        {"D:\\vga\\setup.exe -s ", "Installing Display driver ... 1 / 4"},
        // Without a label the previous one stays.
        {"D:\\lan\\setup.exe", "Installing Display driver ... 2 / 4"},
        // The language key wins and is read as stored.
        {"<Path>\\audio.exe", "Installing Audio ... 3 / 4"},
        {"x.exe", "Installing  ... 4 / 4"},
    };
    CInstallSequence::Action a = seq.StartStep(1);
    for (const Expect& e : steps) {
        ASSERT_EQ(Kind::Run, a.kind);
        EXPECT_EQ(e.command, a.command);
        EXPECT_EQ(e.progress, a.progress);
        EXPECT_TRUE(seq.IsBusy());
        a = seq.OnFinished(0);
    }
    EXPECT_EQ(Kind::Finish, a.kind);
    EXPECT_EQ(Restart::Yes, a.restart);
    EXPECT_FALSE(seq.IsBusy());
    EXPECT_EQ(0, seq.TakeResumeStep());
}

TEST(InstallSequence, EndsAsRestartWhenFinishSays) {
    struct Case {
        const char* value; // nullptr: key absent
        Restart restart;
    };
    const Case cases[] = {
        {nullptr, Restart::Yes}, {"YES", Restart::Yes}, {"yes", Restart::Yes}, {"No", Restart::No},
        {"NO", Restart::No},     {"", Restart::Other},  {"N", Restart::Other}, {"YESS", Restart::Other},
    };
    for (const Case& c : cases) {
        Section s{{{"Step1", "a.exe"}}};
        if (c.value) s.keys["RestartWhenFinish"] = c.value;
        CInstallSequence seq(s.Reader(), "ENU");
        ASSERT_EQ(Kind::Run, seq.StartStep(1).kind);
        CInstallSequence::Action a = seq.OnFinished(0);
        EXPECT_EQ(Kind::Finish, a.kind);
        EXPECT_EQ(c.restart, a.restart) << (c.value ? c.value : "(absent)");
    }
}

TEST(InstallSequence, RebootRecordsTheNextStepOnce) {
    for (const char* reboot : {"Reboot", "REBOOT", "reboot"}) {
        Section s{{{"Step1", "a.exe"}, {"Step2", reboot}, {"Step3", "c.exe"}}};
        CInstallSequence seq(s.Reader(), "ENU");
        seq.StartStep(1);
        EXPECT_EQ(Kind::Reboot, seq.OnFinished(0).kind) << reboot;
        EXPECT_EQ(3, seq.TakeResumeStep());
        // The restart it asks for, or a log-off while its message is up, queries the end of the session.
        seq.Cancel();
        EXPECT_EQ(0, seq.TakeResumeStep());
    }
}

TEST(InstallSequence, EndOfSessionRecordsTheStepAfterTheRunningOne) {
    Section s{{{"Step1", "a"}, {"Step2", "b"}, {"Step3", "c"}, {"Step4", "d"}, {"Step5", "e"}}};
    CInstallSequence seq(s.Reader(), "ENU");
    EXPECT_EQ(0, seq.TakeResumeStep()); // idle
    seq.StartStep(1);
    for (int i = 0; i < 3; ++i)
        seq.OnFinished(0);
    ASSERT_EQ(4, seq.CurrentStep());
    seq.Cancel();
    EXPECT_EQ(5, seq.TakeResumeStep());
    EXPECT_EQ(0, seq.TakeResumeStep());
    // Step 4's end no longer starts step 5.
    EXPECT_EQ(Kind::None, seq.OnFinished(0).kind);
    EXPECT_EQ(4, seq.CurrentStep());
}

TEST(InstallSequence, EndOfSessionBeforeAStepStartedRecordsThatStep) {
    Section s{{{"Step1", "a"}, {"Step2", "b"}}};
    CInstallSequence seq(s.Reader(), "ENU");
    seq.StartStep(1);
    seq.OnFinished(0); // step 2 waits for its installer to start
    seq.Cancel();
    EXPECT_EQ(2, seq.TakeResumeStep(false));
}

TEST(InstallSequence, NothingResumesPastAFailure) {
    Section s{{{"Step1", "a"}, {"Step2", "b"}}};
    CInstallSequence seq(s.Reader(), "ENU");
    seq.StartStep(1);
    EXPECT_EQ(Kind::Failed, seq.OnFinished(2).kind);
    EXPECT_TRUE(seq.IsBusy()); // the button stays deaf
    seq.Cancel();
    EXPECT_EQ(0, seq.TakeResumeStep());
}

TEST(InstallSequence, CancelledBeforeAStepStartsRunsNothing) {
    Section s{{{"Step1", "a"}}};
    CInstallSequence seq(s.Reader(), "ENU");
    seq.Cancel();
    EXPECT_EQ(Kind::None, seq.StartStep(1).kind);
}

TEST(InstallSequence, ResumesOnlyAtAStepOfItsSequence) {
    Section three{{{"Step1", "a"}, {"Step2", "Reboot"}, {"Step3", "c"}}};
    CInstallSequence seq(three.Reader(), "ENU");
    EXPECT_FALSE(seq.CanResumeAt(0));
    EXPECT_TRUE(seq.CanResumeAt(3));
    EXPECT_TRUE(seq.CanResumeAt(4)); // after a final "Reboot" step
    EXPECT_FALSE(seq.CanResumeAt(5));
    Section none{{}};
    EXPECT_FALSE(CInstallSequence(none.Reader(), "ENU").CanResumeAt(2));
}

TEST(InstallSequence, WorkingFolderFallsBackToTheProgramsFolder) {
    const std::set<std::string> folders = {"D:\\vga\\", "C:\\Driver CD\\lan\\"};
    auto isFolder = [&](const std::string& f) { return folders.count(f) > 0; };
    struct Case {
        const char *command, *folder;
    };
    const Case cases[] = {
        {"D:\\vga\\setup.exe -s", "D:\\vga\\"},
        {"setup.exe -s", ""},
        {"", ""},
        {"D:\\vga\\setup.exe -f C:\\temp\\log.txt", "D:\\vga\\"},
        {"\"C:\\Driver CD\\lan\\setup.exe\" -s", "C:\\Driver CD\\lan\\"},
        {"  \"C:\\Driver CD\\lan\\setup.exe", "C:\\Driver CD\\lan\\"},
        {"E:\\gone\\setup.exe", ""},
        {"setup.exe C:\\nowhere\\x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.folder, CInstallSequence::WorkingFolder(c.command, isFolder)) << c.command;
}
TEST(InstallSequence, SampleCdInstallsChipsetThenRestartsForTheRest) {
    const CIniFile ini(
        (std::filesystem::path(__FILE__).parent_path() / "../../examples/Pages/Install.ini").string());
    CInstallSequence seq(
        [&ini](const std::string& key, bool substituted, const std::string& def) {
            return substituted ? ini.GetValue("X845.WinXP", key, def) : ini.GetString("X845.WinXP", key, def);
        },
        "ENU");
    EXPECT_EQ(5, seq.StepCount());
    CInstallSequence::Action a = seq.StartStep(1);
    ASSERT_EQ(Kind::Run, a.kind);
    const std::string program = "\\Drivers\\Chipset\\Setup.exe -s";
    EXPECT_EQ(program, a.command.substr(a.command.size() - program.size()));
    EXPECT_EQ("Installing Chipset ... 1 / 5", a.progress);
    EXPECT_EQ(Kind::Reboot, seq.OnFinished(0).kind);
    EXPECT_EQ(3, seq.TakeResumeStep());
}
} // namespace

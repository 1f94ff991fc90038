#pragma once
#include <string>

// What an action button does with its target.
enum class ExecAction { None, Open, Explore, Link, FtpFile, FtpFolder };

// The action words of a button's Behavior: the one list of them that the program, the CD authors'
// tools and their tests read. `fetch` is what a live-update list makes of the word: a driver that
// opens or links a file is fetched as a file, one that explores a folder as a folder.
struct ActionWord {
    const char* word;
    ExecAction action;
    ExecAction fetch;
};
inline constexpr ActionWord kActionWords[] = {
    {"Open", ExecAction::Open, ExecAction::FtpFile},
    {"Explore", ExecAction::Explore, ExecAction::FtpFolder},
    {"Link", ExecAction::Link, ExecAction::FtpFile},
    {"FTP_FILE", ExecAction::FtpFile, ExecAction::None},
    {"FTP_FOLDER", ExecAction::FtpFolder, ExecAction::None},
};

// The action a Behavior names. The action words are matched with their case.
ExecAction ExecActionOf(const std::string& behavior);

// The word of an action; empty for None.
std::string ActionWordOf(ExecAction action);

// Every action word, in the table's order, separated by ", ".
std::string ActionWordList();

// The folder of a target: its text up to and including the last backslash; empty without one.
std::string FolderPart(const std::string& file);

// Whether a target that no program opens deserves the hint to install a PDF reader: the name ends
// in "pdf" or "PDF" exactly.
bool NeedsPdfReader(const std::string& file);

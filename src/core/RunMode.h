#pragma once
#include <string>

enum class RunMode { Normal, Resume, Dump, Simulation, Custom };

// The run mode a command line asks for, and for the dump and simulation modes the dump file.
struct RunModeChoice {
    RunMode mode = RunMode::Normal;
    std::string dumpFile;
};

// Switches count anywhere in the line, in lower case only, "-silent" before "-dump" before "-sim";
// the dump file always follows the switch and one separator at the start of the line, quotes removed.
RunModeChoice ChooseRunMode(const std::string& commandLine);

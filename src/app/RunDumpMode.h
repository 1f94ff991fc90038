#pragma once
#include <string>

// The "-dump" run: writes the live detection into `dumpFile`, tells whether that worked and ends
// the process (exit code 0). Never returns.
[[noreturn]] void RunDumpMode(const std::string& dumpFile);

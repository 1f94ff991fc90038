#pragma once
#include <string>

// The "-dump" run: writes the live detection into `dumpFile` and tells whether that worked; the
// program then ends (exit code 0).
void RunDumpMode(const std::string& dumpFile);

#pragma once
#include <string>

// What an action button does with its target. The action words are matched with their case.
enum class ExecAction { None, Open, Explore, Link, FtpFile, FtpFolder };

ExecAction ExecActionOf(const std::string& behavior);

// The folder of a target: its text up to and including the last backslash; empty without one.
std::string FolderPart(const std::string& file);

// Whether a target that no program opens deserves the hint to install a PDF reader: the name ends
// in "pdf" or "PDF" exactly.
bool NeedsPdfReader(const std::string& file);

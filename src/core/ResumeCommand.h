#pragma once
#include <string>

// The command line that continues an install sequence after a restart (the RunOnce entry), both ways.
// The program reads only its arguments: "-silent:" step " /" page file " /" section, where the page
// file is relative to the program folder.
struct ResumeCommand {
    int step = 0;
    std::string file;
    std::string section;

    // The whole RunOnce line for a program in `folder` (no trailing "\"), with the program path quoted
    // so that a folder with a blank cannot start another program. Empty when the page file does not
    // lie below `folder` or the names cannot be read back unchanged.
    static std::string CommandLine(const std::string& folder, int step, const std::string& iniPath,
                                   const std::string& section);
    // Reads the program's arguments. False, with `out` untouched, for anything the writer would not
    // have written: no step, no file or section, a file that leaves the program folder.
    static bool Parse(const std::string& args, ResumeCommand& out);
    // The page file's path for a program in `folder` (no trailing "\").
    std::string PageFile(const std::string& folder) const { return folder + "\\" + file; }
};

#pragma once
#include <string>

// The switches of the runs that show no window: "-unattended" installs the board's sequence,
// "-norestart" leaves a needed restart to the caller, "-log:FILE" names the log, "-report:FILE" writes
// the machine report. Each is a word of its own (at the start of the line or after a blank), in small
// letters as the other switches; a FILE with blanks is written in double quotes. The rest of the line,
// without these words, is read by the older rules, so a line without them reads as it always did.
struct QuietSwitches {
    bool unattended = false;
    bool noRestart = false;
    std::string log;    // as given; empty: the default log
    std::string report; // empty: no report
    std::string error;  // the first malformed switch, as written ("-log:" with nothing after it)
    std::string rest;   // the line without these switches, blanks at its ends removed; the whole
                        // line, untouched, when it holds none

    bool Quiet() const { return unattended || !report.empty() || !error.empty(); }

    static QuietSwitches Read(const std::string& commandLine);
    // What a resume entry adds after the resume form so that the resumed run stays unattended and
    // appends to `log` (a full path).
    static std::string ForResume(bool noRestart, const std::string& log);
};

#pragma once
#include <string>

class CAutorunDoc;

// Writes the machine report of -report: the document's detection object (live or a replayed dump)
// runs, and the menu of Root.ini is built as the window would show it, without a window; `replayed`:
// the detection replays a dump. False, with the reason in `why`, when the file cannot be written.
bool WriteMachineReportFile(CAutorunDoc& doc, const std::string& path, bool replayed, std::string& why);

#pragma once
#include <string>

#include "core/MachineReport.h"

class CAutorunDoc;

// What the document's detection object (live or a replayed dump) gets from the CD, built as the
// window would show it, without a window.
MachineReport BuildDocumentReport(CAutorunDoc& doc);

// Writes the machine report of -report; `replayed`: the detection replays a dump, which records no
// more than its three facts. False, with the reason in `why`, when the file cannot be written.
bool WriteMachineReportFile(CAutorunDoc& doc, const std::string& path, bool replayed, std::string& why);

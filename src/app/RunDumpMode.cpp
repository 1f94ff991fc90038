#include "app/RunDumpMode.h"

#include "app/Messages.h"
#include "core/DevDetect.h"

void RunDumpMode(const std::string& dumpFile) {
    // A dump that was not written must not be announced as complete.
    if (CDevDetect().WriteDumpFile(dumpFile))
        ShowMessage(Message::DumpWritten);
    else
        ShowMessage(Message::DumpNotWritten, dumpFile);
}

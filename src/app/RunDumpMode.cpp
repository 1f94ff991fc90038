#include "app/RunDumpMode.h"

#include <windows.h>

#include "core/DevDetect.h"

void RunDumpMode(const std::string& dumpFile) {
    CDevDetect* detect = new CDevDetect;
    // A dump that was not written must not be announced as complete.
    if (detect->WriteDumpFile(dumpFile))
        MessageBoxA(nullptr, "Complete writeing ini file", "Autorun", MB_OK);
    else
        MessageBoxA(nullptr, ("Cannot write ini file " + dumpFile).c_str(), "Autorun", MB_OK | MB_ICONERROR);
    delete detect;
    ExitProcess(0);
}

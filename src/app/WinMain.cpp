#include <windows.h>

#include "app/RunDumpMode.h"
#include "core/RunMode.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    RunModeChoice choice = ChooseRunMode(commandLine ? commandLine : "");
    if (choice.mode == RunMode::Dump) RunDumpMode(choice.dumpFile);
    return 0;
}

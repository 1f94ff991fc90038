#include <windows.h>

#include <cstdlib>

#include "app/AutorunApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    std::vector<std::string> words(__argv + 1, __argv + __argc);
    CAutorunApp app;
    if (!app.InitInstance(commandLine ? commandLine : "", words)) return app.ExitInstance();
    const int code = app.Run();
    app.ExitInstance();
    return code;
}

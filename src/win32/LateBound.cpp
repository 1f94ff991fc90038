#include "win32/LateBound.h"

#include <string>

// Loaded by full path from the system folder: a DLL of the same name on the CD or in the current
// folder (the live folder holds what a server sent) is never taken instead. Once loaded, a DLL stays
// for the life of the process, so a later lookup finds it by name.
FARPROC LateBoundProc(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) {
        char folder[MAX_PATH];
        const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return nullptr;
        module = LoadLibraryA((std::string(folder) + "\\" + dll).c_str());
    }
    return module ? GetProcAddress(module, name) : nullptr;
}

// Stand-in for the vendor's port-I/O library, for tests only: answers PCI configuration
// mechanism 1 from the image "VORN-IO.pci" beside the library instead of from the hardware.
#include <windows.h>

#include <fstream>
#include <sstream>

#include "core/PciConfigImage.h"
#include "core/PciImagePort.h"

namespace {
HMODULE g_module;

// Read once, at the first port access; no image means an empty machine.
CPciImagePort& Port() {
    static CPciConfigImage image;
    static CPciImagePort port(image);
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        char path[MAX_PATH] = "";
        GetModuleFileNameA(g_module, path, MAX_PATH - 1);
        std::string file(path);
        file = file.substr(0, file.find_last_of('\\') + 1) + "VORN-IO.pci";
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        image.Parse(text.str());
    }
    return port;
}
} // namespace

extern "C" __declspec(dllexport) DWORD __cdecl WritePortVal(DWORD port, DWORD value, DWORD size) {
    Port().WritePort(port, value, size);
    return 1;
}

extern "C" __declspec(dllexport) DWORD __cdecl ReadPortVal(DWORD port, DWORD* value, DWORD size) {
    std::uint32_t v = 0;
    Port().ReadPort(port, &v, size);
    if (value) *value = v;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

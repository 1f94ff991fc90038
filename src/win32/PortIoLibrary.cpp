#include "win32/PortIoLibrary.h"

#include <windows.h>

namespace {
// The library's calling convention: the caller removes the arguments.
typedef DWORD(__cdecl* WritePortValFn)(DWORD port, DWORD value, DWORD size);
typedef DWORD(__cdecl* ReadPortValFn)(DWORD port, DWORD* value, DWORD size);

WritePortValFn g_writePortVal;
ReadPortValFn g_readPortVal;
} // namespace

PortIo* CPortIoLibrary::Load(const std::string& dllPath) {
    static CPortIoLibrary library;
    HMODULE module = LoadLibraryA(dllPath.c_str());
    if (!module) return nullptr;
    g_writePortVal =
        reinterpret_cast<WritePortValFn>(reinterpret_cast<void*>(GetProcAddress(module, "WritePortVal")));
    g_readPortVal =
        reinterpret_cast<ReadPortValFn>(reinterpret_cast<void*>(GetProcAddress(module, "ReadPortVal")));
    return g_writePortVal && g_readPortVal ? &library : nullptr;
}

void CPortIoLibrary::WritePort(std::uint32_t port, std::uint32_t value, std::uint32_t size) {
    g_writePortVal(port, value, size);
}

void CPortIoLibrary::ReadPort(std::uint32_t port, std::uint32_t* value, std::uint32_t size) {
    DWORD v = *value;
    g_readPortVal(port, &v, size);
    *value = v;
}

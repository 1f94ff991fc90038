// The C++ runtime makes the semaphores of its locks with CreateSemaphoreW. Windows 95, 98 and ME
// export that only as a stub that fails, and a lock two threads then meet on would end the program.
// The runtime's import of it is answered here by the ANSI call, which every Windows has; the runtime
// never names its semaphores. Linked into the program itself, so that the import library's entry is
// never taken.
#include <windows.h>

namespace {
HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                     LPCWSTR name) {
    if (name) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    return CreateSemaphoreA(security, initial, maximum, nullptr);
}
} // namespace

extern "C" decltype(&CreateUnnamedSemaphore) CreateSemaphoreWImport __asm__("__imp__CreateSemaphoreW@16");
decltype(&CreateUnnamedSemaphore) CreateSemaphoreWImport = &CreateUnnamedSemaphore;

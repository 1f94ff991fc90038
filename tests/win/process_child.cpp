// A stand-in installer for the child-process tests: what it writes, and how, is chosen by its first
// argument. Writes go straight to the handles so no runtime translates line ends.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win32/SystemRestart.h"

namespace {
void Put(DWORD which, const std::string& text) {
    DWORD done = 0;
    WriteFile(GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
}

// Starts this program again with `args`, handing on the standard handles, and does not wait.
bool StartSelf(const std::string& args) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}
} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "lines") {
        Put(STD_OUTPUT_HANDLE, "first\r\nsecond");
    } else if (mode == "stderr") {
        Put(STD_OUTPUT_HANDLE, "out\n");
        Sleep(200);
        Put(STD_ERROR_HANDLE, "err\n");
    } else if (mode == "exit") {
        Put(STD_OUTPUT_HANDLE, "failing\r\n");
        return 3;
    } else if (mode == "split") {
        // A carriage return that ends a full chunk, its line feed in the next one.
        Put(STD_OUTPUT_HANDLE, std::string(1023, 'x') + "\r");
        Sleep(300);
        Put(STD_OUTPUT_HANDLE, "\nnext\n");
    } else if (mode == "cwd") {
        char dir[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, dir);
        Put(STD_OUTPUT_HANDLE, std::string(dir) + "\n");
    } else if (mode == "parent") {
        // The grandchild inherits the output and leaves its mark, if named, once it is done.
        if (!StartSelf(argc > 2 ? std::string("grandchild ") + argv[2] : "grandchild")) return 1;
        Put(STD_OUTPUT_HANDLE, "parent\n");
    } else if ((mode == "mark" || mode == "hold") && argc > 2) {
        // What a resumed run leaves behind: the file named, holding the rest of the command line.
        FILE* f = std::fopen(argv[2], "w");
        if (!f) return 1;
        for (int i = 3; i < argc; ++i)
            std::fprintf(f, "%s%s", argv[i], i + 1 < argc ? " " : "");
        std::fclose(f);
        if (mode == "hold") Sleep(60000); // a long install, for what happens meanwhile
    } else if (mode == "restart" && argc > 2) {
        // Records the command to resume with and restarts, as a "Reboot" step does.
        if (!WriteRunOnce(argv[2])) return 1;
        RestartWindows(true);
        Sleep(30000);
        return 1;
    } else if (mode == "grandchild") {
        Sleep(2000);
        Put(STD_OUTPUT_HANDLE, "grandchild\n");
        if (argc > 2) {
            FILE* f = std::fopen(argv[2], "w");
            if (f) std::fclose(f);
        }
    }
    return 0;
}

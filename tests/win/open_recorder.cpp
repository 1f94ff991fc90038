// Stands in for the program that a file type or an address opens: appends one line, its current
// folder, "|" and its arguments as written, to the log that AUTORUN_OPEN_LOG names.
#include <windows.h>

#include <string>

namespace {
// The command line after the program's own name.
std::string Arguments() {
    const std::string line = GetCommandLineA();
    std::size_t at = line[0] == '"' ? line.find('"', 1) + 1 : line.find(' ');
    if (at == 0 || at == std::string::npos) return {};
    at = line.find_first_not_of(' ', at);
    return at == std::string::npos ? std::string() : line.substr(at);
}
} // namespace

int main() {
    char log[MAX_PATH] = {}, cwd[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("AUTORUN_OPEN_LOG", log, MAX_PATH)) return 2;
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const std::string line = std::string(cwd) + "|" + Arguments() + "\n";
    // Two openers may write at once: wait for the file rather than mix the lines.
    for (int tries = 0; tries < 100; ++tries) {
        HANDLE f =
            CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD n;
            WriteFile(f, line.data(), DWORD(line.size()), &n, nullptr);
            CloseHandle(f);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}

#pragma once
// Shared by the FTP tests: the servers that tests/wine/with-ftp.sh starts,
// local scratch folders, and file reading.
#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

inline INTERNET_PORT EnvPort(const char* name) {
    const char* v = std::getenv(name);
    return static_cast<INTERNET_PORT>(v ? std::atoi(v) : 0);
}

inline std::string ServedRoot() {
    const char* v = std::getenv("FTP_ROOT");
    return v ? v : "";
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder below the temporary path, ending with "\". Nothing is ever deleted: each run
// of the program gets folders of its own.
inline std::string ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static const std::string run = std::string(temp) + "ftptest-" + std::to_string(GetCurrentProcessId()) +
                                   "-" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(run.c_str(), nullptr);
    std::string dir = run + name + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

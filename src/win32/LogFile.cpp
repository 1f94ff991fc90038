#include "win32/LogFile.h"

bool CLogFile::Open(const std::string& path) {
    m_strPath = path;
    m_hFile.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return bool(m_hFile) && SetFilePointer(m_hFile.Get(), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER;
}

void CLogFile::Write(const std::string& line) {
    if (!m_hFile) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(m_hFile.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string CLogFile::DefaultPath() {
    char folder[MAX_PATH + 1] = "";
    const DWORD n = GetTempPathA(sizeof folder, folder);
    std::string path = n > 0 && n < sizeof folder ? folder : "C:\\";
    if (path.back() != '\\') path += '\\';
    return path + "Autorun.log";
}

std::string CLogFile::FullPath(const std::string& path) {
    char full[MAX_PATH * 2] = "";
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : path;
}

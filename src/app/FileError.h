#pragma once
#include <windows.h>

#include <string>

// Tells the user in a message box that `path` could not be opened, and why (`error` as GetLastError
// gave it).
void ReportFileError(const std::string& path, DWORD error);

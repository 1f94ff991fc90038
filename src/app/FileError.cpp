#include "app/FileError.h"

void ReportFileError(const std::string& path, DWORD error) {
    std::string text;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        text = path + " was not found.";
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        text = path + " contains an invalid path.";
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        text = "Access to " + path + " was denied.";
        break;
    default:
        text = "An unexpected error occurred while accessing " + path + ".";
    }
    MessageBoxA(nullptr, text.c_str(), "Autorun", MB_OK | MB_ICONEXCLAMATION);
}

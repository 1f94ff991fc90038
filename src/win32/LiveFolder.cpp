#include "win32/LiveFolder.h"

#include <windows.h>

#include "core/LiveUpdateRules.h"

std::string LiveFolderPath() {
    char temp[256];
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) return {};
    return LiveUpdate::LiveFolder(std::string(temp, n));
}

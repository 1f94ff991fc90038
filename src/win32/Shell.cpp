#include "win32/Shell.h"

#include <shellapi.h>

HINSTANCE ShellOpen(const std::string& target) {
    return ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenLink(const std::string& address) {
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_FLAG_NO_UI;
    sei.lpVerb = "open";
    sei.lpFile = address.c_str();
    sei.nShow = SW_SHOWMAXIMIZED;
    ShellExecuteExA(&sei);
}

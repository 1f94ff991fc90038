// Asks Autorun.exe's main window, as Windows does before a log-off, whether the session may end,
// and prints the answer (1 yes, 0 no). Exit 1 when the window is not there.
#include <windows.h>

#include <cstdio>

int main() {
    HWND frame = FindWindowA("VORN CD Autorun Program V1.2.2.6", nullptr);
    if (!frame) return 1;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer))
        return 1;
    std::printf("%d\n", answer ? 1 : 0);
    return 0;
}

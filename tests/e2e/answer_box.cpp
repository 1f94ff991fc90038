// Waits for a message box of any program in this Wine session, prints its title and text, and
// presses its OK button, so tests of programs that show one never hang.
//   answer_box [seconds]    exit code 0 when a box was answered, 1 when none came in time
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    for (int tick = 0; tick < seconds * 10; ++tick) {
        HWND box = nullptr;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (box) {
            char title[256] = "", text[1024] = "";
            GetWindowTextA(box, title, sizeof title);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::printf("title: %s\ntext: %s\n", title, text);
            std::fflush(stdout);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("no message box\n");
    return 1;
}

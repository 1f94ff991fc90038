// Looks at Autorun.exe's window from outside, for end-to-end tests.
//   probe_windows list [seconds]   waits for the main window, prints it and every child window:
//                                  "frame X Y W H FOREGROUND" (screen place of the view's client area)
//                                  then per child "ID VISIBLE ENABLED LEFT TOP RIGHT BOTTOM CAPTION",
//                                  the rectangle in the view's client coordinates
//   probe_windows click ID          clicks the middle of a child with the mouse
//   probe_windows hover ID          moves the mouse over the middle of a child
//   probe_windows close             asks the main window to close
//   probe_windows endsession        asks the main window whether Windows may log off; prints the answer
//   probe_windows launch CLASS CMD  starts CMD, waits for a visible window of CLASS, prints the
//                                  milliseconds that took and the process's peak working set in KB,
//                                  then ends the process (the start-up benchmark)
//   probe_windows colors            prints the system colours a flat button's border uses
// Exit code 0 on success, 1 when the window or child is not there.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char kClass[] = "VORN CD Autorun Program V1.2.2.6";

HWND FindMain(int seconds) {
    for (int tick = 0; tick <= seconds * 10; ++tick) {
        HWND w = FindWindowA(kClass, nullptr);
        if (w && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

HWND View(HWND frame) {
    return GetWindow(frame, GW_CHILD);
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM view) {
    if (GetParent(hwnd) != reinterpret_cast<HWND>(view)) return TRUE;
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(view), reinterpret_cast<POINT*>(&r), 2);
    // GetWindowTextA reads another program's captions without asking it.
    static char text[8192];
    GetWindowTextA(hwnd, text, sizeof text);
    std::printf("%d %d %d %ld %ld %ld %ld %s\n", GetDlgCtrlID(hwnd), IsWindowVisible(hwnd) ? 1 : 0,
                IsWindowEnabled(hwnd) ? 1 : 0, r.left, r.top, r.right, r.bottom, text);
    return TRUE;
}

HWND Child(HWND frame, int id) {
    return frame ? GetDlgItem(View(frame), id) : nullptr;
}

POINT Middle(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveMouse(POINT p) {
    // Arrive from a pixel away, so the window sees a move onto it.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    for (int d : {1, 0}) {
        mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, DWORD((p.x - d) * 65536 / cx + 1),
                    DWORD((p.y - d) * 65536 / cy + 1), 0, 0);
        Sleep(50);
    }
}

int Launch(const char* className, const char* commandLine) {
    std::string line = commandLine;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // The window of a run just ended may linger a moment; the program would take it for a running copy.
    for (int tick = 0; tick < 500 && FindWindowA(className, nullptr); ++tick)
        Sleep(10);
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 1;
    HWND w = nullptr;
    for (;;) {
        w = FindWindowA(className, nullptr);
        QueryPerformanceCounter(&now);
        if ((w && IsWindowVisible(w)) || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0 ||
            now.QuadPart - start.QuadPart > 60 * freq.QuadPart)
            break;
        Sleep(1);
    }
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    const bool shown = w && IsWindowVisible(w) && GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!shown) return 1;
    std::printf("%.1f %lu\n", double(now.QuadPart - start.QuadPart) * 1000.0 / double(freq.QuadPart),
                static_cast<unsigned long>(pmc.PeakWorkingSetSize / 1024));
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string cmd = argv[1];
    if (cmd == "colors") {
        for (int c : {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}) {
            COLORREF v = GetSysColor(c);
            std::printf("%d %d %d\n", GetRValue(v), GetGValue(v), GetBValue(v));
        }
        return 0;
    }
    if (cmd == "launch" && argc > 3) return Launch(argv[2], argv[3]);
    HWND frame = FindMain(cmd == "list" && argc > 2 ? std::atoi(argv[2]) : 10);
    if (!frame) {
        std::printf("no window\n");
        return 1;
    }
    if (cmd == "list") {
        POINT origin{0, 0};
        ClientToScreen(View(frame), &origin);
        RECT vr;
        GetClientRect(View(frame), &vr);
        std::printf("frame %ld %ld %ld %ld %d\n", origin.x, origin.y, vr.right, vr.bottom,
                    GetForegroundWindow() == frame ? 1 : 0);
        EnumChildWindows(frame, PrintChild, reinterpret_cast<LPARAM>(View(frame)));
        return 0;
    }
    if (cmd == "endsession") {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
        std::printf("%d\n", int(answer));
        return 0;
    }
    if (cmd == "close") {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        return 0;
    }
    HWND child = argc > 2 ? Child(frame, std::atoi(argv[2])) : nullptr;
    if (!child) return 1;
    MoveMouse(Middle(child));
    if (cmd == "click") {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        Sleep(50);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    Sleep(300);
    return 0;
}

// Looks at Autorun.exe's window from outside, for end-to-end tests.
//   probe_windows list [seconds]   waits for the main window, prints it and every child window:
//                                  "frame X Y W H FOREGROUND" (screen place of the view's client area)
//                                  then per child "ID VISIBLE ENABLED LEFT TOP RIGHT BOTTOM CAPTION",
//                                  the rectangle in the view's client coordinates, one line per
//                                  child (a line end in a caption as "\n")
//   probe_windows click ID [ITEM]   clicks the middle of a child with the mouse, or of item ITEM
//                                  of a list box
//   probe_windows dblclick ID ITEM  double-clicks item ITEM of a list box
//   probe_windows hover ID          moves the mouse over the middle of a child
//   probe_windows close             asks the main window to close
//   probe_windows endsession        asks the main window whether Windows may log off; prints the answer
//   probe_windows launch CLASS CMD  starts CMD, waits for a visible window of CLASS, prints the
//                                  milliseconds that took and the process's peak working set in KB,
//                                  then ends the process (the start-up benchmark)
//   probe_windows colors            prints the system colours a flat button's border uses
//   probe_windows text FILE W H BACK FORE POINTS FACE LINE...
//                                  writes to FILE (PPM) what a W x H area of colour BACK (RRGGBB)
//                                  looks like with LINE... written below each other in FORE, in
//                                  that face and size, each word-wrapped in its own rectangle; an
//                                  argument +N leaves N more pixels before the next line
// A first argument @ID works on the program's visible dialog that holds a control of that id
// instead of the main window's view: "@1002 list 10" waits up to 10 s for it and prints it (list
// boxes with their items, tab-separated, as caption), "@1002 dblclick 1002 0" picks an item.
// Exit code 0 on success, 1 when the window or child is not there.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

// Asks a control of the program; the program's thread answers, or 0 after 5 s.
LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, 5000, &answer) ? LRESULT(answer) : 0;
}

bool IsListBox(HWND w) {
    char name[32] = {};
    GetClassNameA(w, name, sizeof name);
    return lstrcmpiA(name, "ListBox") == 0;
}

// The items asked for in UTF-16: asked from another process in ANSI, Wine hands back wide text.
std::string ListItems(HWND list) {
    std::string items;
    for (LRESULT i = 0, n = Ask(list, LB_GETCOUNT); i < n; ++i) {
        std::vector<wchar_t> wide(std::size_t(Ask(list, LB_GETTEXTLEN, WPARAM(i))) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(i), LPARAM(wide.data()), SMTO_NORMAL, 5000, &got);
        char item[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, item, sizeof item, nullptr, nullptr);
        items += (i ? "\t" : "") + std::string(item);
    }
    return items;
}

// A caption on its window's one line: a message box's text has line ends.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        if (c == '\n')
            line += "\\n";
        else if (c != '\r')
            line += c;
    return line;
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
                IsWindowEnabled(hwnd) ? 1 : 0, r.left, r.top, r.right, r.bottom,
                OneLine(IsListBox(hwnd) ? ListItems(hwnd) : text).c_str());
    return TRUE;
}

struct DialogSearch {
    DWORD process;
    int item;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND w, LPARAM search) {
    auto* s = reinterpret_cast<DialogSearch*>(search);
    DWORD process = 0;
    char name[16] = {};
    GetWindowThreadProcessId(w, &process);
    GetClassNameA(w, name, sizeof name);
    if (process != s->process || std::strcmp(name, "#32770") || !IsWindowVisible(w) ||
        !GetDlgItem(w, s->item))
        return TRUE;
    s->found = w;
    return FALSE;
}

// The visible dialog of the frame's process that holds a control with id `item`.
HWND FindDialog(HWND frame, int item, int seconds) {
    DialogSearch s{0, item, nullptr};
    GetWindowThreadProcessId(frame, &s.process);
    for (int tick = 0; tick <= seconds * 10 && !s.found; ++tick) {
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&s));
        if (!s.found) Sleep(100);
    }
    return s.found;
}

// The middle of a child, or of a list box's item.
POINT Middle(HWND child, int item) {
    RECT r;
    GetWindowRect(child, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (item >= 0) {
        const int height = int(Ask(child, LB_GETITEMHEIGHT));
        POINT top{0, 0};
        ClientToScreen(child, &top);
        p.y = top.y + (item - int(Ask(child, LB_GETTOPINDEX))) * height + height / 2;
    }
    return p;
}

void Click() {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(50);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

COLORREF Colour(const char* rrggbb) {
    const unsigned long v = std::strtoul(rrggbb, nullptr, 16);
    return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
}

// Draws the lines as the program's description area draws a tip, on a plain background, and
// writes the picture as a binary PPM.
int WriteText(char** argv, int argc) {
    if (argc < 7) return 2;
    const int w = std::atoi(argv[1]), h = std::atoi(argv[2]);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    RECT all{0, 0, w, h};
    HBRUSH back = CreateSolidBrush(Colour(argv[3]));
    FillRect(mem, &all, back);
    DeleteObject(back);
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(std::atoi(argv[5]), GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, argv[6], LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = SelectObject(mem, font);
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, Colour(argv[4]));
    RECT rc{0, 0, w, 0};
    int gap = 0;
    for (int i = 7; i < argc; ++i) {
        if (argv[i][0] == '+') {
            gap += std::atoi(argv[i] + 1);
            continue;
        }
        rc = {0, rc.bottom + gap, w, 0};
        gap = 0;
        DrawTextA(mem, argv[i], -1, &rc, DT_CALCRECT | DT_WORDBREAK);
        DrawTextA(mem, argv[i], -1, &rc, DT_WORDBREAK);
    }
    SelectObject(mem, oldFont);
    DeleteObject(font);
    SelectObject(mem, oldBmp);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> px(std::size_t(w) * h * 4);
    GetDIBits(mem, bmp, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    FILE* out = std::fopen(argv[0], "wb");
    if (!out) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", w, h);
    for (std::size_t i = 0; i < px.size(); i += 4) {
        const unsigned char rgb[3] = {px[i + 2], px[i + 1], px[i]};
        std::fwrite(rgb, 1, 3, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
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
    int dialogItem = 0;
    if (argc > 1 && argv[1][0] == '@') {
        dialogItem = std::atoi(argv[1] + 1);
        --argc;
        ++argv;
    }
    if (argc < 2) return 2;
    const std::string cmd = argv[1];
    if (cmd == "colors") {
        for (int c : {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}) {
            COLORREF v = GetSysColor(c);
            std::printf("%d %d %d\n", GetRValue(v), GetGValue(v), GetBValue(v));
        }
        return 0;
    }
    if (cmd == "text") return WriteText(argv + 2, argc - 2);
    if (cmd == "launch" && argc > 3) return Launch(argv[2], argv[3]);
    const int seconds = cmd == "list" && argc > 2 ? std::atoi(argv[2]) : 10;
    HWND frame = FindMain(seconds);
    // The window whose children the command is about.
    HWND owner = dialogItem && frame ? FindDialog(frame, dialogItem, seconds) : frame;
    HWND container = dialogItem ? owner : View(frame);
    if (!frame || !owner) {
        std::printf("no window\n");
        return 1;
    }
    if (cmd == "list") {
        POINT origin{0, 0};
        ClientToScreen(container, &origin);
        RECT vr;
        GetClientRect(container, &vr);
        std::printf("frame %ld %ld %ld %ld %d\n", origin.x, origin.y, vr.right, vr.bottom,
                    GetForegroundWindow() == owner ? 1 : 0);
        EnumChildWindows(owner, PrintChild, reinterpret_cast<LPARAM>(container));
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
    HWND child = argc > 2 ? GetDlgItem(container, std::atoi(argv[2])) : nullptr;
    if (!child) return 1;
    // Input reaches the program once it waits for input, and the child once the pointer is over it:
    // a busy machine may show the window before either is true, and the click would be lost.
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        WaitForInputIdle(process, 5000);
        CloseHandle(process);
    }
    const POINT target = Middle(child, argc > 3 ? std::atoi(argv[3]) : -1);
    for (int tries = 0; tries < 20; ++tries) {
        MoveMouse(target);
        HWND under = WindowFromPoint(target);
        if (under == child || IsChild(child, under)) break;
        Sleep(100);
    }
    if (cmd == "click" || cmd == "dblclick") Click();
    if (cmd == "dblclick") Click();
    Sleep(300);
    return 0;
}

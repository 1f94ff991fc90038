// Answers a message box from outside, as a user would: waits for a dialog whose text contains the
// given words (and, when given, whose caption is CAPTION; "" for any), presses its OK button (or the
// button of id BUTTON, 7 for No) and prints the whole text. Exit 1 when none came in time.
//   press_ok.exe TEXT [SECONDS [CAPTION [BUTTON]]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
struct Search {
    std::string words;
    std::string caption; // any when empty
    HWND dialog = nullptr;
    std::string text;
};

BOOL CALLBACK FindText(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof(text));
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") != 0 || std::string(text).find(s->words) == std::string::npos) return TRUE;
    s->text = text;
    return FALSE;
}

BOOL CALLBACK FindDialog(HWND top, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    char cls[32] = {};
    GetClassNameA(top, cls, sizeof(cls));
    if (!IsWindowVisible(top) || lstrcmpA(cls, "#32770") != 0) return TRUE;
    char caption[256] = {};
    GetWindowTextA(top, caption, sizeof(caption));
    if (!s->caption.empty() && s->caption != caption) return TRUE;
    EnumChildWindows(top, FindText, param);
    if (s->text.empty()) return TRUE;
    s->dialog = top;
    return FALSE;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: press_ok TEXT [SECONDS [CAPTION [BUTTON]]]\n");
        return 2;
    }
    const DWORD until = GetTickCount() + 1000 * (argc > 2 ? std::atoi(argv[2]) : 30);
    Search s;
    s.words = argv[1];
    if (argc > 3) s.caption = argv[3];
    const int button = argc > 4 ? std::atoi(argv[4]) : IDOK;
    while (GetTickCount() < until) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
        if (s.dialog) {
            PostMessageA(s.dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(s.dialog, button)));
            std::printf("%s\n", s.text.c_str());
            return 0;
        }
        Sleep(200);
    }
    return 1;
}

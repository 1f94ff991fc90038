#pragma once
// Shared by the tests of CFTPManipDlg: the session with its messages recorded, and the progress
// dialog as a user finds it on the screen.
#include <string>
#include <vector>

#include "FtpTestSupport.h"
#include "app/FTPManipDlg.h"

class TestFtpDlg : public CFTPManipDlg {
  public:
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    using CFTPManipDlg::m_nOperation;
    using CFTPManipDlg::RunOperation;
};

inline HWND FindProgressDialog(const char* caption) {
    struct Find {
        const char* caption;
        HWND found;
    } f{caption, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char text[64] = "", cls[16] = "";
            GetWindowTextA(w, text, sizeof text);
            GetClassNameA(w, cls, sizeof cls);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || lstrcmpA(cls, "#32770") ||
                lstrcmpA(text, f->caption))
                return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

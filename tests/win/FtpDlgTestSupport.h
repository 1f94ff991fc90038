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
    void ShowMessage(Message message, const std::string& detail) override {
        messages.push_back(MessageText(message, detail));
    }
    using CFTPManipDlg::m_operation;
    using CFTPManipDlg::RunOperation;
};

struct ProgressDialogSearch {
    const char* caption;
    HWND found;
};

inline BOOL CALLBACK MatchProgressDialog(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<ProgressDialogSearch*>(p);
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
}

inline HWND FindProgressDialog(const char* caption) {
    ProgressDialogSearch f{caption, nullptr};
    EnumWindows(MatchProgressDialog, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

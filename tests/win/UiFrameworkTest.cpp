#include "UiTestWindow.h"
#include "res/resource.h"
#include "ui/Dialog.h"
#include "ui/DialogTemplate.h"

#include <gtest/gtest.h>

namespace {
// A control that claims every reflected message of one kind.
class ReflectProbe : public CWindow {
  public:
    UINT m_claim = 0;
    std::vector<UINT> m_seen;

  protected:
    bool OnReflected(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        m_seen.push_back(msg);
        result = 77;
        return msg == m_claim;
    }
};

TEST(Window, OneObjectPerWindowUntilItIsDestroyed) {
    HWND hwnd;
    {
        UiTestWindow frame;
        hwnd = frame.m_hWnd;
        ASSERT_TRUE(hwnd);
        EXPECT_EQ(&frame, CWindow::FromHandle(hwnd));
        CWindow button;
        ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, hwnd, 5));
        HWND b = button.m_hWnd;
        EXPECT_EQ(&button, CWindow::FromHandle(b));
        EXPECT_FALSE(CWindow().SubclassWindow(b)); // one object per window
        ::DestroyWindow(b);
        EXPECT_EQ(nullptr, button.m_hWnd);
        EXPECT_EQ(nullptr, CWindow::FromHandle(b));
    }
    EXPECT_FALSE(IsWindow(hwnd)); // the object takes its window with it
}

TEST(Window, ParentOffersControlMessagesToTheControl) {
    UiTestWindow frame;
    ReflectProbe probe;
    ASSERT_TRUE(probe.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, frame.m_hWnd, 9));
    const LPARAM child = reinterpret_cast<LPARAM>(probe.m_hWnd);

    // Not claimed: the parent handles it as well.
    SendMessageA(frame.m_hWnd, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), child);
    EXPECT_EQ(std::vector<WORD>{9}, frame.m_commands);

    probe.m_claim = WM_CTLCOLORBTN;
    EXPECT_EQ(77, SendMessageA(frame.m_hWnd, WM_CTLCOLORBTN, 0, child));

    probe.m_claim = WM_COMMAND;
    SendMessageA(frame.m_hWnd, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), child);
    EXPECT_EQ(1u, frame.m_commands.size());
    // A menu command names no control.
    SendMessageA(frame.m_hWnd, WM_COMMAND, 10, 0);
    EXPECT_EQ(2u, frame.m_commands.size());

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = probe.m_hWnd;
    probe.m_claim = WM_DRAWITEM;
    EXPECT_EQ(77, SendMessageA(frame.m_hWnd, WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ((std::vector<UINT>{WM_COMMAND, WM_CTLCOLORBTN, WM_COMMAND, WM_DRAWITEM}), probe.m_seen);
}

class AutoEndDialog : public CDialog {
  public:
    using CDialog::CDialog;
    std::string m_label;
    bool m_listFound = false;

  protected:
    BOOL OnInitDialog() override {
        char text[128] = {};
        GetDlgItemTextA(m_hWnd, 0x100, text, sizeof text);
        m_label = text;
        char cls[32] = {};
        GetClassNameA(GetDlgItem(m_hWnd, IDC_MIRRORLIST), cls, sizeof cls);
        m_listFound = lstrcmpiA(cls, "ListBox") == 0;
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     LPARAM(GetDlgItem(m_hWnd, IDCANCEL)));
        return TRUE;
    }
};

TEST(Dialog, ModalFromATemplateInMemory) {
    CDialogTemplate t(WS_POPUP | WS_CAPTION | DS_CENTER | DS_MODALFRAME, 0, 0, 200, 130, "", 10, "System");
    t.AddItem("BUTTON", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 78, 111, 34, 12, "Cancel");
    t.AddItem("STATIC", 0x100, WS_CHILD | WS_VISIBLE, 7, 30, 186, 19, "Reading from ");
    AutoEndDialog dlg(t.Get());
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_EQ("Reading from ", dlg.m_label);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Dialog, ModalFromTheMirrorResource) {
    AutoEndDialog dlg(IDD_MIRROR);
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(dlg.m_listFound);
}

TEST(Dialog, ModelessEndsByDestroyingItsWindow) {
    CDialog dlg(IDD_START);
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    HWND hwnd = dlg.m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT rc;
    GetWindowRect(hwnd, &rc);
    // Centred on the screen.
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rc.left + rc.right) / 2, 2);
    dlg.EndDialog(IDOK);
    EXPECT_FALSE(IsWindow(hwnd));
}

// A wait with a window up: that window repaints and takes its messages during it; the thread's other
// windows get theirs only afterwards.
TEST(Window, AWaitKeepsOneWindowPainting) {
    UiTestWindow shown(RGB(0, 128, 0), 300, 100), other(RGB(0, 0, 128), 100, 100); // other covers x < 100
    shown.m_fill = RGB(200, 0, 0);
    InvalidateRect(shown.m_hWnd, nullptr, TRUE);
    PostMessageA(other.m_hWnd, WM_COMMAND, 42, 0);
    const DWORD start = GetTickCount();
    WaitWhileShowing(shown.m_hWnd, 300);
    EXPECT_GE(GetTickCount() - start, 290u);
    EXPECT_EQ(RGB(200, 0, 0), PixelAt(shown.m_hWnd, 250, 10));
    EXPECT_TRUE(other.m_commands.empty());
    Pump(20);
    EXPECT_EQ(std::vector<WORD>{42}, other.m_commands);
}
} // namespace

#include "UiTestWindow.h"
#include "res/resource.h"
#include "ui/BtnST.h"
#include "ui/Dib.h"
#include "ui/MyStatic.h"
#include "ui/PointFont.h"
#include "ui/WaitMsgDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Every control in its looks on one window. UI_DEMO_HOLD_MS keeps it on the screen for a
// screenshot taken from outside.
TEST(Demo, EveryControlOnOneWindow) {
    UiTestWindow frame(RGB(20, 40, 90));
    const CFont font = CreatePointFont(120, "Arial");
    CBtnST flat, hovered, raised, disabled, close, link;
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_LEFT;
    ASSERT_TRUE(flat.Create("Flat button", style, RECT{40, 40, 240, 80}, frame.m_hWnd, 1));
    ASSERT_TRUE(hovered.Create("Hovered flat", style, RECT{40, 100, 240, 140}, frame.m_hWnd, 2));
    ASSERT_TRUE(
        raised.Create("Raised default", style | BS_DEFPUSHBUTTON, RECT{40, 160, 240, 200}, frame.m_hWnd, 3));
    ASSERT_TRUE(disabled.Create("Disabled", style, RECT{40, 220, 240, 260}, frame.m_hWnd, 4));
    ASSERT_TRUE(close.Create("Close", style, RECT{520, 420, 600, 460}, frame.m_hWnd, 20001));
    ASSERT_TRUE(link.Create("Browse CD", style, RECT{180, 420, 300, 460}, frame.m_hWnd, 20003));
    for (CBtnST* b : {&flat, &hovered, &raised, &disabled, &close, &link}) {
        SendMessageA(b->m_hWnd, WM_SETFONT, WPARAM(font.Get()), FALSE);
        for (int i : {CBtnST::BTNST_COLOR_FG_IN, CBtnST::BTNST_COLOR_FG_OUT, CBtnST::BTNST_COLOR_FG_FOCUS})
            b->SetColor(i, RGB(255, 255, 255));
        b->SetColor(CBtnST::BTNST_COLOR_BK_OUT, RGB(40, 80, 160));
        b->SetColor(CBtnST::BTNST_COLOR_BK_IN, RGB(80, 140, 220));
    }
    raised.SetFlatStyle(FALSE);
    raised.SetColor(CBtnST::BTNST_COLOR_FG_OUT, RGB(0, 0, 0));
    raised.SetColor(CBtnST::BTNST_COLOR_BK_OUT, GetSysColor(COLOR_BTNFACE));
    EnableWindow(disabled.m_hWnd, FALSE);
    close.SetImageIcon(IDI_CLOSE);
    link.SetImageIcon(IDI_BROWSE);
    close.SetTransparent(FALSE);
    link.SetTransparent(FALSE);
    flat.SetImageIcon(IDI_LIVEUPDATE);

    CMyStatic text;
    ASSERT_TRUE(text.Create("A transparent static text in white over the window's own picture.",
                            WS_CHILD | WS_VISIBLE, RECT{310, 150, 600, 400}, frame.m_hWnd, 2050));
    text.SetTransparent(TRUE);
    text.SetTextColor(RGB(255, 255, 255));
    text.SetFontSize(140, "Times New Roman");

    Pump(100);
    POINT p{100, 20};
    ClientToScreen(hovered.m_hWnd, &p);
    SetCursorPos(p.x, p.y);
    SendMessageA(hovered.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 20));

    CWaitMsgDlg wait(frame.m_hWnd);
    ASSERT_TRUE(wait.Create());
    wait.StartBusy();
    const char* hold = std::getenv("UI_DEMO_HOLD_MS");
    Pump(hold ? std::atoi(hold) : 300);
    EXPECT_TRUE(hovered.m_bHover);
    wait.StopBusy();
}
} // namespace

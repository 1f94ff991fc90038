#include "UiTestWindow.h"
#include "res/resource.h"
#include "ui/BtnST.h"
#include "ui/Dib.h"
#include "ui/MyStatic.h"
#include "ui/PointFont.h"
#include "ui/WaitMsgDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kWhite = RGB(255, 255, 255);

// A flat button at (100, 100)-(300, 160) of a test window, red normally and green when lit.
struct FlatButton : testing::Test {
    UiTestWindow frame;
    CBtnST btn;
    void SetUp() override {
        ASSERT_TRUE(btn.Create("", WS_CHILD | WS_VISIBLE, RECT{100, 100, 300, 160}, frame.m_hWnd, 42));
        btn.SetColor(CBtnST::BTNST_COLOR_BK_OUT, kRed);
        btn.SetColor(CBtnST::BTNST_COLOR_BK_IN, kGreen);
        Pump(50);
    }
    void MoveMouse(int x, int y, UINT keys = 0) {
        POINT screen{x, y};
        ClientToScreen(btn.m_hWnd, &screen);
        // A real move of the cursor arrives without the button held down: only for plain moves.
        if (!keys) SetCursorPos(screen.x, screen.y);
        SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
        Pump(50);
    }
};

TEST_F(FlatButton, LightsWhileTheMouseIsOverIt) {
    EXPECT_EQ(kRed, PixelAt(btn.m_hWnd, 100, 30));
    MoveMouse(100, 30);
    EXPECT_TRUE(btn.m_bHover);
    EXPECT_EQ(kGreen, PixelAt(btn.m_hWnd, 100, 30));
    // The thin raised frame of a hovered flat button.
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(btn.m_hWnd, 5, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), PixelAt(btn.m_hWnd, 5, 59));

    // Leaving is reported by the mouse-leave notification.
    SetCursorPos(5, 5);
    Pump(600);
    EXPECT_FALSE(btn.m_bHover);
    EXPECT_EQ(kRed, PixelAt(btn.m_hWnd, 100, 30));
}

TEST_F(FlatButton, WithoutBorderOnlyTheFillChanges) {
    btn.m_bDrawBorder = FALSE;
    MoveMouse(100, 30);
    EXPECT_EQ(kGreen, PixelAt(btn.m_hWnd, 0, 0));
    EXPECT_EQ(kGreen, PixelAt(btn.m_hWnd, 199, 59));
}

TEST_F(FlatButton, NoHoverWhileDraggedOntoIt) {
    MoveMouse(100, 30, MK_LBUTTON);
    EXPECT_FALSE(btn.m_bHover);
    MoveMouse(101, 30);
    EXPECT_TRUE(btn.m_bHover);
}

TEST_F(FlatButton, ClickReachesTheParentAndTakesTheFocus) {
    SendMessageA(btn.m_hWnd, BM_CLICK, 0, 0);
    Pump(20);
    EXPECT_EQ(std::vector<WORD>{42}, frame.m_commands);
    EXPECT_EQ(btn.m_hWnd, GetFocus());
}

TEST_F(FlatButton, DoubleClickCountsAsTwoClicks) {
    const LPARAM at = MAKELPARAM(10, 10);
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(btn.m_hWnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    Pump(20);
    EXPECT_EQ((std::vector<WORD>{42, 42}), frame.m_commands);
}

TEST_F(FlatButton, SettersCheckTheirArguments) {
    const COLORREF before = btn.m_crColors[5];
    EXPECT_EQ(DWORD(CBtnST::BTNST_INVALIDINDEX), btn.SetColor(6, kBlue));
    EXPECT_EQ(before, btn.m_crColors[5]);
    EXPECT_EQ(DWORD(CBtnST::BTNST_OK), btn.SetHoverCursor(IDC_LINKHAND));
    EXPECT_EQ(DWORD(CBtnST::BTNST_INVALIDRESOURCE), btn.SetHoverCursor(9999));
    EXPECT_EQ(DWORD(CBtnST::BTNST_OK), btn.SetImageIcon(9999)); // no such icon: no icon
    btn.SetLinkUrl(std::string(3000, 'x').c_str());             // kept within its field
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(btn.m_hWnd, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(FlatButton, CaptionBesideAnIconIsCentredInTheRest) {
    SetWindowTextA(btn.m_hWnd, "Close");
    const CFont font = CreatePointFont(200, "Arial");
    SendMessageA(btn.m_hWnd, WM_SETFONT, WPARAM(font.Get()), TRUE);
    btn.SetColor(CBtnST::BTNST_COLOR_FG_OUT, kBlue);
    ASSERT_EQ(DWORD(CBtnST::BTNST_OK), btn.SetImageIcon(IDI_CLOSE));
    Pump(50);
    HDC dc = GetDC(btn.m_hWnd);
    int left = 200, right = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (GetPixel(dc, x, y) == kBlue) left = std::min(left, x), right = std::max(right, x);
    ReleaseDC(btn.m_hWnd, dc);
    ASSERT_GT(right, left);
    EXPECT_NEAR((32 + 3 + 200) / 2, (left + right) / 2, 3);
    // The icon 3 pixels from the left edge, centred vertically: its dark red frame.
    EXPECT_EQ(RGB(128, 0, 0), PixelAt(btn.m_hWnd, 3 + 3, 14 + 3));
}

TEST_F(FlatButton, DisabledCaptionIsEmbossed) {
    SetWindowTextA(btn.m_hWnd, "Browse CD");
    const CFont font = CreatePointFont(200, "Arial");
    SendMessageA(btn.m_hWnd, WM_SETFONT, WPARAM(font.Get()), TRUE);
    btn.SetColor(CBtnST::BTNST_COLOR_FG_OUT, kBlue);
    EnableWindow(btn.m_hWnd, FALSE);
    Pump(50);
    const RECT all{0, 0, 200, 60};
    EXPECT_EQ(0, CountColor(btn.m_hWnd, all, kBlue));
    EXPECT_GT(CountColor(btn.m_hWnd, all, GetSysColor(COLOR_3DSHADOW)), 20);
    EXPECT_GT(CountColor(btn.m_hWnd, all, GetSysColor(COLOR_3DHILIGHT)), 20);
}

TEST(RaisedButton, DefaultButtonHasABlackFrameOutsideTheRaisedOne) {
    UiTestWindow frame;
    CBtnST btn;
    ASSERT_TRUE(
        btn.Create("OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, RECT{10, 10, 110, 50}, frame.m_hWnd, 1));
    btn.SetFlatStyle(FALSE);
    Pump(50);
    EXPECT_TRUE(btn.m_bDefault);
    EXPECT_TRUE(SendMessageA(btn.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(btn.m_hWnd, 50, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(btn.m_hWnd, 50, 1));
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), PixelAt(btn.m_hWnd, 50, 2));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), PixelAt(btn.m_hWnd, 50, 38));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), PixelAt(btn.m_hWnd, 50, 37));
}

TEST(TransparentButton, ShowsTheParentsPicture) {
    UiTestWindow frame(RGB(0, 128, 0));
    CBtnST btn;
    ASSERT_TRUE(btn.Create("", WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 50}, frame.m_hWnd, 1));
    btn.SetColor(CBtnST::BTNST_COLOR_BK_OUT, kRed);
    btn.SetTransparent();
    Pump(50);
    EXPECT_EQ(RGB(0, 128, 0), PixelAt(btn.m_hWnd, 50, 20));
}

TEST(MyStatic, TransparentTextShowsOnlyItsLetters) {
    UiTestWindow frame(RGB(0, 0, 64));
    CMyStatic text;
    ASSERT_TRUE(text.Create("Hello", WS_CHILD | WS_VISIBLE, RECT{10, 10, 210, 60}, frame.m_hWnd, 2050));
    text.SetTransparent(TRUE);
    text.SetTextColor(kWhite);
    text.SetFontSize(240, "Times New Roman");
    Pump(50);
    const RECT all{0, 0, 200, 50};
    EXPECT_EQ(0, CountColor(text.m_hWnd, all, GetSysColor(COLOR_BTNFACE)));
    EXPECT_GT(CountColor(text.m_hWnd, all, kWhite), 30);
    EXPECT_GT(CountColor(text.m_hWnd, all, RGB(0, 0, 64)), 5000);

    LOGFONTA lf{};
    GetObjectA(HFONT(SendMessageA(text.m_hWnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ("Times New Roman", lf.lfFaceName);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(240, GetDeviceCaps(dc, LOGPIXELSY), 720), lf.lfHeight);
    ReleaseDC(nullptr, dc);
}

TEST(WaitMsgDlg, ShowsItsLineAndAHiddenBar) {
    CWaitMsgDlg dlg;
    ASSERT_TRUE(dlg.Create());
    char text[64] = {};
    GetDlgItemTextA(dlg.m_hWnd, IDC_WAITMSG, text, sizeof text);
    EXPECT_STREQ("Detecting device, please wait... ", text);
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_FALSE(IsWindowVisible(dlg.m_busyBar.m_hWnd));
    dlg.StopBusy(); // nothing to stop
    EXPECT_FALSE(IsWindowVisible(dlg.m_busyBar.m_hWnd));
    EXPECT_FALSE(dlg.m_busyBar.IsAnimating());
}

TEST(WaitMsgDlg, BusyBarStepsEvery200Milliseconds) {
    CWaitMsgDlg dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.StartBusy();
    EXPECT_TRUE(IsWindowVisible(dlg.m_busyBar.m_hWnd));
    Pump(1100);
    const int pos = dlg.m_busyBar.State().m_nPos;
    EXPECT_GE(pos, 3);
    EXPECT_LE(pos, 6);

    // The lit block in its colour where the position says.
    RECT rc;
    GetClientRect(dlg.m_busyBar.m_hWnd, &rc);
    const auto blocks = dlg.m_busyBar.State().Layout(rc.right, rc.bottom);
    dlg.StopBusy();
    const int at = dlg.m_busyBar.State().m_nPos;
    ShowWindow(dlg.m_busyBar.m_hWnd, SW_SHOW);
    UpdateWindow(dlg.m_busyBar.m_hWnd);
    const int mid = (blocks[at].left + blocks[at].right) / 2;
    EXPECT_EQ(RGB(206, 249, 255), PixelAt(dlg.m_busyBar.m_hWnd, mid, rc.bottom / 2));
    const int other = (at + 5) % 10;
    EXPECT_EQ(RGB(5, 178, 217),
              PixelAt(dlg.m_busyBar.m_hWnd, (blocks[other].left + blocks[other].right) / 2, rc.bottom / 2));
    EXPECT_FALSE(dlg.m_busyBar.IsAnimating());
    Pump(500);
    EXPECT_EQ(at, dlg.m_busyBar.State().m_nPos); // stopped means stopped
}

TEST(BusyProgressCtrl, ProgressModeByMessages) {
    UiTestWindow frame;
    CBusyProgressCtrl bar(10, 0);
    ASSERT_TRUE(bar.Create(RECT{10, 10, 120, 30}, frame.m_hWnd, 7));
    SendMessageA(bar.m_hWnd, CBusyProgressCtrl::BPM_SETMODE, BusyBarState::kProgress, 0);
    SendMessageA(bar.m_hWnd, CBusyProgressCtrl::BPM_STARTANIM, 0, 0);
    EXPECT_FALSE(bar.IsAnimating()); // only busy mode animates
    SendMessageA(bar.m_hWnd, CBusyProgressCtrl::BPM_SETCURPOS, 25, 0);
    SendMessageA(bar.m_hWnd, CBusyProgressCtrl::BPM_SETNUMSTEPS, 0, 0); // no division by zero
    SendMessageA(bar.m_hWnd, CBusyProgressCtrl::BPM_SETNUMSTEPS, 10, 0);
    UpdateWindow(bar.m_hWnd);
    // Blocks 10 wide, 1 apart: 0 and 1 lit, 2 lit on its first half only.
    EXPECT_EQ(RGB(190, 220, 255), PixelAt(bar.m_hWnd, 15, 10));
    EXPECT_EQ(RGB(190, 220, 255), PixelAt(bar.m_hWnd, 25, 10));
    EXPECT_EQ(RGB(160, 190, 220), PixelAt(bar.m_hWnd, 30, 10));
    EXPECT_EQ(RGB(160, 190, 220), PixelAt(bar.m_hWnd, 50, 10));
}

std::vector<std::uint8_t> LoadRgb(const std::string& name) {
    std::ifstream f(std::string(FIXTURES_DIR) + "/bmp/" + name + ".rgb", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

HANDLE OpenFixture(const std::string& name) {
    return CreateFileA((std::string(FIXTURES_DIR) + "/bmp/" + name + ".bmp").c_str(), GENERIC_READ,
                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

class DrawEveryDepth : public testing::TestWithParam<const char*> {};

TEST_P(DrawEveryDepth, PaintsTheColoursImageMagickSees) {
    HANDLE f = OpenFixture(GetParam());
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    CDib dib(f);
    CloseHandle(f);
    SIZE size{};
    ASSERT_TRUE(dib.GetSize(&size));
    ASSERT_EQ(37, size.cx);
    ASSERT_EQ(23, size.cy);

    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 37, -23, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    EXPECT_EQ(23, dib.Draw(dc, RECT{0, 0, 37, 23}, POINT{0, 0}));
    GdiFlush();
    const std::vector<std::uint8_t> rgb = LoadRgb(GetParam());
    ASSERT_EQ(37u * 23 * 3, rgb.size());
    const int tolerance = std::string(GetParam()) == "bmp5-16" ? 8 : 0;
    const auto* px = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < 37 * 23; ++i)
        for (int c = 0; c < 3; ++c)
            ASSERT_NEAR(rgb[i * 3 + c], px[i * 4 + 2 - c], tolerance) << "pixel " << i << " channel " << c;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DrawEveryDepth,
                         testing::Values("bmp3-1", "bmp3-4", "bmp3-8", "bmp3-24", "bmp2-8", "bmp2-24",
                                         "bmp5-8", "bmp5-16", "bmp5-24", "bmp5-32", "topdown-24"),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });

TEST(Dib, WhatItCannotDrawLeavesItEmpty) {
    HANDLE f = OpenFixture("rle-8");
    CDib dib(f);
    CloseHandle(f);
    SIZE size{-1, -1};
    EXPECT_FALSE(dib.GetSize(&size));
    EXPECT_EQ(-1, size.cx);
    EXPECT_EQ(0, dib.Draw(GetDC(nullptr), RECT{0, 0, 37, 23}, POINT{0, 0}));
}

TEST(Dib, ReadsFromTheFilesCurrentPosition) {
    HANDLE f = OpenFixture("bmp3-24");
    SetFilePointer(f, 2, nullptr, FILE_BEGIN);
    SIZE none{};
    EXPECT_FALSE(CDib(f).GetSize(&none)); // "BM" is not there
    SetFilePointer(f, 0, nullptr, FILE_BEGIN);
    SIZE size{};
    EXPECT_TRUE(CDib(f).GetSize(&size));
    CloseHandle(f);
}
} // namespace

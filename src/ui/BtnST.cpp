#include "ui/BtnST.h"

#include <commctrl.h>

#include <cstring>

#include "win32/LateBound.h"
#include "win32/Shell.h"

namespace {
constexpr int kImageMargin = 3;
constexpr UINT_PTR kLeaveTimer = 0x4C56; // the pointer watch where comctl32 cannot report leaving
constexpr UINT kLeaveCheckMs = 100;

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    const CPen pen(CreatePen(PS_SOLID, 1, color));
    const CSelectObject select(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// One-pixel frame: top and left in one colour, bottom and right in the other.
void Frame3D(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
    Line(dc, rc.left, rc.bottom - 1, rc.left, rc.top, topLeft);
    Line(dc, rc.left, rc.top, rc.right - 1, rc.top, topLeft);
    Line(dc, rc.right - 1, rc.top, rc.right - 1, rc.bottom - 1, bottomRight);
    Line(dc, rc.right - 1, rc.bottom - 1, rc.left - 1, rc.bottom - 1, bottomRight);
}

void FrameSolid(HDC dc, const RECT& rc, COLORREF color) {
    const CBrush brush(CreateSolidBrush(color));
    FrameRect(dc, &rc, brush.Get());
}
} // namespace

CBtnST::CBtnST() {
    ResetColors();
}

CBtnST::~CBtnST() {
    if (m_hTip) ::DestroyWindow(m_hTip);
}

bool CBtnST::Create(LPCSTR caption, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CWindow::Create("BUTTON", caption, style, rect, parent, id);
}

void CBtnST::ResetColors() {
    for (int i = 0; i < BTNST_MAX_COLORS; ++i)
        m_crColors[i] = GetSysColor(i % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE);
}

void CBtnST::FreeIcons() {
    for (Icon& icon : m_icons)
        icon = Icon();
}

DWORD CBtnST::SetImageIcon(UINT iconIn, UINT iconOut) {
    FreeIcons();
    const UINT ids[2] = {iconIn, iconOut};
    for (int i = 0; i < 2; ++i) {
        if (!ids[i]) continue;
        CIcon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ids[i]), IMAGE_ICON, 0, 0, 0)));
        if (!icon) {
            if (i == 0) break; // no first icon: a button without one
            continue;
        }
        ICONINFO info;
        if (!GetIconInfo(icon.Get(), &info)) {
            FreeIcons();
            return BTNST_INVALIDRESOURCE;
        }
        // The icon's own copies of its masks.
        const CBitmap mask(info.hbmMask), color(info.hbmColor);
        m_icons[i] = {std::move(icon), int(info.xHotspot * 2), int(info.yHotspot * 2)};
    }
    Repaint();
    return BTNST_OK;
}

void CBtnST::SetFlatStyle(BOOL flat, BOOL repaint) {
    m_bFlat = flat;
    if (repaint) Repaint();
}

DWORD CBtnST::SetColor(int index, COLORREF color, BOOL repaint) {
    if (index < 0 || index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
    m_crColors[index] = color;
    if (repaint) Repaint();
    return BTNST_OK;
}

DWORD CBtnST::SetHoverCursor(UINT cursorId, BOOL repaint) {
    m_hCursor.Reset();
    if (cursorId) {
        m_hCursor.Reset(static_cast<HCURSOR>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR, 0, 0, 0)));
        if (!m_hCursor) return BTNST_INVALIDRESOURCE;
    }
    if (repaint) Repaint();
    return BTNST_OK;
}

void CBtnST::SetTransparent(BOOL repaint) {
    m_bTransparent = TRUE;
    m_pBackground.reset();
    if (repaint) Repaint();
}

void CBtnST::SetTipText(LPCSTR text, BOOL activate) {
    if (!text || !m_hWnd) return;
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE; // what the comctl32 of older Windows accepts
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ti.lpszText = const_cast<LPSTR>(text);
    if (!m_hTip) {
        // The tip watches the button's mouse messages itself (TTF_SUBCLASS).
        m_hTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        if (!m_hTip) return;
        SendMessageA(m_hTip, TTM_SETMAXTIPWIDTH, 0, 400);
        SendMessageA(m_hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    SendMessageA(m_hTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(m_hTip, TTM_ACTIVATE, activate, 0);
}

void CBtnST::SetLinkUrl(LPCSTR url) {
    m_szUrl[0] = '\0';
    if (url) strncat(m_szUrl, url, sizeof m_szUrl - 1);
}

void CBtnST::PreSubclassWindow() {
    LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) m_bDefault = TRUE;
    SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CBtnST::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wp), POINT{short(LOWORD(lp)), short(HIWORD(lp))});
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_TIMER: {
        if (wp != kLeaveTimer) break;
        POINT pt;
        if (GetCursorPos(&pt) && WindowFromPoint(pt) == m_hWnd) return 0;
        KillTimer(m_hWnd, kLeaveTimer);
        SendMessageA(m_hWnd, WM_MOUSELEAVE, 0, 0);
        return 0;
    }
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        LRESULT r = Default(msg, wp, lp);
        CancelHover();
        return r;
    }
    case WM_ENABLE: {
        LRESULT r = Default(msg, wp, lp);
        if (!wp) {
            HWND parent = GetParent(m_hWnd);
            HWND next = GetNextDlgTabItem(parent, m_hWnd, FALSE);
            SetFocus(next ? next : parent);
            CancelHover();
        }
        return r;
    }
    case WM_SETCURSOR:
        if (!m_hCursor) break;
        SetCursor(m_hCursor.Get());
        return TRUE;
    case WM_GETDLGCODE:
        return Default(msg, wp, lp) | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_SYSCOLORCHANGE: {
        LRESULT r = Default(msg, wp, lp);
        m_pBackground.reset();
        ResetColors();
        Repaint();
        return r;
    }
    case BM_SETSTYLE: {
        const WPARAM type = wp & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) m_bDefault = type == BS_DEFPUSHBUTTON;
        return Default(msg, (wp & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW, lp);
    }
    case WM_LBUTTONDBLCLK:
        // Two quick clicks are two clicks.
        return Default(WM_LBUTTONDOWN, wp, lp);
    }
    return Default(msg, wp, lp);
}

bool CBtnST::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    if (msg == WM_CTLCOLORBTN) {
        result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) OnClicked();
    return false; // the parent still acts on the click
}

void CBtnST::OnClicked() {
    SetFocus(m_hWnd);
    if (m_szUrl[0]) OpenLink(m_szUrl);
}

void CBtnST::OnMouseMove(UINT flags, POINT pt) {
    Default(WM_MOUSEMOVE, flags, MAKELPARAM(pt.x, pt.y));
    if ((flags & MK_LBUTTON) && !m_bHover) return;
    if (!m_bFlat) return;
    ClientToScreen(m_hWnd, &pt);
    if (WindowFromPoint(pt) == m_hWnd && (m_bAlwaysTrack || GetActiveWindow())) {
        if (m_bHover) return;
        m_bHover = TRUE;
        OnHoverStart();
        Repaint();
        TrackLeave();
    } else {
        OnMouseLeave();
    }
}

// Where comctl32 is older than 4.71 (Windows 95 and NT 4 as shipped), a timer watches the pointer
// instead and sends the same message once it is elsewhere.
void CBtnST::TrackLeave() {
    const CMouseTracking tracking;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
    if (!tracking.Loaded() || !tracking._TrackMouseEvent(&tme))
        SetTimer(m_hWnd, kLeaveTimer, kLeaveCheckMs, nullptr);
}

void CBtnST::CancelHover() {
    if (!m_bFlat || !m_bHover) return;
    m_bHover = FALSE;
    Repaint();
}

void CBtnST::TakeBackground() {
    HWND parent = GetParent(m_hWnd);
    RECT client, win;
    GetClientRect(m_hWnd, &client);
    GetWindowRect(m_hWnd, &win);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&win), 2);
    const CWindowDC parentDc(parent);
    m_pBackground = std::make_unique<CBitmapDC>(parentDc.Get(), client.right, client.bottom);
    BitBlt(m_pBackground->Get(), 0, 0, client.right, client.bottom, parentDc.Get(), win.left, win.top,
           SRCCOPY);
}

void CBtnST::DrawItem(const DRAWITEMSTRUCT& dis) {
    HDC dc = dis.hDC;
    m_bPressed = (dis.itemState & ODS_SELECTED) != 0;
    m_bFocused = (dis.itemState & ODS_FOCUS) != 0;
    m_bDisabled = (dis.itemState & ODS_DISABLED) != 0;
    RECT rc = dis.rcItem;
    SetBkMode(dc, TRANSPARENT);

    if (!m_bFlat && (m_bFocused || m_bDefault)) {
        FrameSolid(dc, rc, RGB(0, 0, 0));
        InflateRect(&rc, -1, -1);
    }

    if (m_bTransparent) {
        if (!m_pBackground) TakeBackground();
        BitBlt(dc, 0, 0, dis.rcItem.right - dis.rcItem.left, dis.rcItem.bottom - dis.rcItem.top,
               m_pBackground->Get(), 0, 0, SRCCOPY);
    } else {
        PaintBackground(dc, rc);
    }

    if (m_bPressed) {
        if (!m_bFlat)
            FrameSolid(dc, rc, GetSysColor(COLOR_BTNSHADOW));
        else if (m_bDrawBorder)
            PaintBorder(dc, rc);
    } else if (!m_bFlat) {
        RECT inner = rc;
        InflateRect(&inner, -1, -1);
        Frame3D(dc, rc, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Frame3D(dc, inner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    } else if (m_bHover && m_bDrawBorder) {
        PaintBorder(dc, rc);
    }

    std::string caption(GetWindowTextLengthA(m_hWnd) + 1, '\0');
    caption.resize(GetWindowTextA(m_hWnd, &caption[0], int(caption.size())));
    RECT rcCaption = dis.rcItem;
    if (m_icons[0].handle) PaintIcon(dc, caption, rcCaption);
    if (!caption.empty()) PaintCaption(dc, caption, rcCaption);

    if (m_bFocused && (!m_bFlat || m_bFlatFocus)) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void CBtnST::PaintBackground(HDC dc, const RECT& rc) {
    const int index = m_bHover || m_bPressed ? BTNST_COLOR_BK_IN
                      : m_bFocused           ? BTNST_COLOR_BK_FOCUS
                                             : BTNST_COLOR_BK_OUT;
    const CBrush brush(CreateSolidBrush(m_crColors[index]));
    FillRect(dc, &rc, brush.Get());
}

void CBtnST::PaintBorder(HDC dc, const RECT& rc) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (m_bPressed)
        Frame3D(dc, rc, shadow, light);
    else
        Frame3D(dc, rc, light, shadow);
}

void CBtnST::PaintIcon(HDC dc, const std::string& caption, RECT& rcCaption) {
    const bool hot = m_bPressed || m_bHover;
    const Icon& icon = hot || !m_icons[1].handle ? m_icons[0] : m_icons[1];
    const int width = rcCaption.right - rcCaption.left, height = rcCaption.bottom - rcCaption.top;
    int x = rcCaption.left + (width - icon.width) / 2;
    if (!caption.empty()) {
        x = rcCaption.left + kImageMargin;
        rcCaption.left += icon.width + kImageMargin;
    }
    int y = rcCaption.top + (height - icon.height) / 2;
    if (m_bPressed) x += m_ptPressedOffset.x, y += m_ptPressedOffset.y;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.handle.Get()), 0, x, y, icon.width,
               icon.height, DST_ICON | (m_bDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void CBtnST::PaintCaption(HDC dc, const std::string& caption, RECT rc) {
    if (m_bPressed) OffsetRect(&rc, m_ptPressedOffset.x, m_ptPressedOffset.y);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    const CSelectObject selectFont(dc, font);

    // Measure the wrapped block, then centre it both ways in the caption area.
    RECT block = rc;
    DrawTextA(dc, caption.c_str(), -1, &block, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int w = block.right - block.left, h = block.bottom - block.top;
    OffsetRect(&block, (rc.right - rc.left - w) / 2 + rc.left - block.left,
               (rc.bottom - rc.top - h) / 2 + rc.top - block.top);

    if (m_bDisabled) {
        OffsetRect(&block, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, caption.c_str(), -1, &block, DT_WORDBREAK | DT_CENTER);
        OffsetRect(&block, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextA(dc, caption.c_str(), -1, &block, DT_WORDBREAK | DT_CENTER);
    } else {
        const bool hot = m_bHover || m_bPressed;
        SetTextColor(dc, m_crColors[hot ? BTNST_COLOR_FG_IN : BTNST_COLOR_FG_OUT]);
        SetBkColor(dc, m_crColors[hot ? BTNST_COLOR_BK_IN : BTNST_COLOR_BK_OUT]);
        DrawTextA(dc, caption.c_str(), -1, &block, DT_WORDBREAK | DT_CENTER);
    }
}

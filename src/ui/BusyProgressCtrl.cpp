#include "ui/BusyProgressCtrl.h"

namespace {
// Posted by the stepping thread, so that position and direction change only on the window's
// own thread.
constexpr UINT kTimedStep = WM_USER + 21;
} // namespace

CBusyProgressCtrl::~CBusyProgressCtrl() {
    StopAnimation();
}

bool CBusyProgressCtrl::Create(const RECT& rect, HWND parent, UINT id) {
    return CWindow::Create("STATIC", "BusyProgressCtrl", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CBusyProgressCtrl::SetNumSteps(int n) {
    m_state.SetNumSteps(n);
    Redraw();
}

void CBusyProgressCtrl::SetCurPos(int pos) {
    m_state.m_nPos = pos;
    Redraw();
}

void CBusyProgressCtrl::SetBlockGap(int gap) {
    m_state.SetBlockGap(gap);
    Redraw();
}

void CBusyProgressCtrl::SetRange(int lower, int upper) {
    m_state.m_nLower = lower;
    m_state.m_nUpper = upper;
}

void CBusyProgressCtrl::SetMode(int mode) {
    StopAnimation();
    m_state.SetMode(mode);
}

void CBusyProgressCtrl::Step() {
    m_state.Step();
    Redraw();
}

void CBusyProgressCtrl::UseSysBackground(BOOL use) {
    m_bSysBg = use;
    if (use) m_crBackground = GetSysColor(COLOR_BTNFACE);
    Redraw();
}

void CBusyProgressCtrl::SetColor(COLORREF& field, COLORREF c) {
    field = c;
    Redraw();
}

void CBusyProgressCtrl::StartAnimation() {
    if (m_state.m_nMode != BusyBarState::kBusy || !m_hWnd) return;
    StopAnimation();
    if (!m_hStop) m_hStop.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStop) return;
    ResetEvent(m_hStop.Get());
    HWND hwnd = m_hWnd;
    m_thread.Start([this, hwnd] {
        while (WaitForSingleObject(m_hStop.Get(), DWORD(m_nSpeed)) == WAIT_TIMEOUT)
            PostMessageA(hwnd, kTimedStep, 0, 0);
    });
}

// Waits for the thread to end: it touches nothing but the event and the interval, and posts.
void CBusyProgressCtrl::StopAnimation() {
    if (!m_thread.Started()) return;
    SetEvent(m_hStop.Get());
    m_thread.Join();
}

LRESULT CBusyProgressCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    const int value = int(wp);
    switch (msg) {
    case BPM_SETNUMSTEPS:
        SetNumSteps(value);
        return 0;
    case BPM_SETCURPOS:
        SetCurPos(value);
        return 0;
    case BPM_SETBLOCKGAP:
        SetBlockGap(value);
        return 0;
    case BPM_SETSPEED:
        SetSpeed(value);
        return 0;
    case BPM_SETRANGE:
        SetRange(value, int(lp));
        return 0;
    case BPM_SETMODE:
        SetMode(value);
        return 0;
    case BPM_STARTANIM:
        StartAnimation();
        return 0;
    case BPM_STOPANIM:
        StopAnimation();
        return 0;
    case BPM_STEP:
        Step();
        return 0;
    case BPM_SETBUSYTYPE:
        SetBusyType(value);
        return 0;
    case BPM_SETBUSYFILL:
        SetBusyFill(value);
        return 0;
    case BPM_SETGRANULARITY:
        SetGranularity(value);
        return 0;
    case BPM_SETBGCOLOR:
        SetBackgroundColor(COLORREF(wp));
        return 0;
    case BPM_SETBLOCKFACECOLOR:
        SetBlockFaceColor(COLORREF(wp));
        return 0;
    case BPM_SETBLOCKEDGECOLOR:
        SetBlockEdgeColor(COLORREF(wp));
        return 0;
    case BPM_SETHILITEFACECOLOR:
        SetHiliteFaceColor(COLORREF(wp));
        return 0;
    case BPM_SETHILITEEDGECOLOR:
        SetHiliteEdgeColor(COLORREF(wp));
        return 0;
    case BPM_RECALC:
        return 0; // the layout is computed at every paint
    case BPM_RESET:
        Reset();
        return 0;
    case BPM_USESYSBG:
        UseSysBackground(BOOL(wp));
        return 0;
    case kTimedStep:
        if (m_thread.Started()) Step();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers every pixel
    case WM_SIZE:
        m_pOffscreen.reset();
        break;
    case WM_SYSCOLORCHANGE:
        if (m_bSysBg) m_crBackground = GetSysColor(COLOR_BTNFACE);
        Redraw();
        break;
    case WM_DESTROY:
        StopAnimation();
        break;
    }
    return Default(msg, wp, lp);
}

void CBusyProgressCtrl::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (!m_pOffscreen) m_pOffscreen = std::make_unique<CBitmapDC>(dc, rc.right, rc.bottom);
    const HDC mem = m_pOffscreen->Get();
    DrawBackground(mem, rc);
    for (const BusyBarState::Block& b : m_state.Layout(rc.right, rc.bottom)) {
        const RECT block{b.left, 0, b.right, b.bottom};
        if (b.lit)
            DrawBlock(mem, block, m_crHiliteFace, m_crHiliteEdge);
        else
            DrawBlock(mem, block, m_crBlockFace, m_crBlockEdge);
        if (b.partial) DrawPartialFill(mem, block, b.partial);
    }
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    EndPaint(m_hWnd, &ps);
}

void CBusyProgressCtrl::DrawBackground(HDC dc, const RECT& rc) {
    const CBrush brush(CreateSolidBrush(m_crBackground));
    FillRect(dc, &rc, brush.Get());
}

void CBusyProgressCtrl::DrawBlock(HDC dc, const RECT& rc, COLORREF face, COLORREF edge) {
    const CBrush brush(CreateSolidBrush(face));
    const CPen pen(CreatePen(PS_SOLID, 1, edge));
    const CSelectObject selectBrush(dc, brush.Get()), selectPen(dc, pen.Get());
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
}

void CBusyProgressCtrl::DrawPartialFill(HDC dc, const RECT& block, int width) {
    RECT fill{block.left + 1, block.top + 1, block.left + 1 + width, block.bottom - 1};
    if (fill.right > block.right - 1) fill.right = block.right - 1;
    const CBrush brush(CreateSolidBrush(m_crHiliteFace));
    FillRect(dc, &fill, brush.Get());
}

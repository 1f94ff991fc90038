#pragma once
#include "core/BusyBarState.h"
#include "ui/Window.h"
#include "win32/Scoped.h"
#include "win32/Thread.h"

#include <atomic>
#include <memory>

// A row of blocks in a static control: in busy mode a thread moves a lit block along it at a
// fixed interval; in progress mode the blocks fill in proportion to a position. Every setting
// is also a message WM_USER + n.
class CBusyProgressCtrl : public CWindow {
  public:
    enum {
        BPM_SETNUMSTEPS = WM_USER + 1,
        BPM_SETCURPOS,
        BPM_SETBLOCKGAP,
        BPM_SETSPEED,
        BPM_SETRANGE,
        BPM_SETMODE,
        BPM_STARTANIM,
        BPM_STOPANIM,
        BPM_STEP,
        BPM_SETBUSYTYPE,
        BPM_SETBUSYFILL,
        BPM_SETGRANULARITY,
        BPM_SETBGCOLOR,
        BPM_SETBLOCKFACECOLOR,
        BPM_SETBLOCKEDGECOLOR,
        BPM_SETHILITEFACECOLOR,
        BPM_SETHILITEEDGECOLOR,
        BPM_RECALC,
        BPM_RESET,
        BPM_USESYSBG,
    };

    CBusyProgressCtrl(int blocks, int pos) : m_state(blocks, pos) {}
    ~CBusyProgressCtrl() override;

    bool Create(const RECT& rect, HWND parent, UINT id);

    void SetNumSteps(int n);
    void SetCurPos(int pos);
    void SetBlockGap(int gap);
    void SetSpeed(int ms) { m_nSpeed = ms < 1 ? 1 : ms; }
    void SetRange(int lower, int upper);
    void SetMode(int mode);
    void StartAnimation();
    void StopAnimation();
    void Step();
    void SetBusyType(int type) { m_state.SetBusyType(type); }
    void SetBusyFill(int fill) { m_state.SetBusyFill(fill); }
    void SetGranularity(int g) { m_state.SetGranularity(g); }
    void SetBackgroundColor(COLORREF c) { SetColor(m_crBackground, c); }
    void SetBlockFaceColor(COLORREF c) { SetColor(m_crBlockFace, c); }
    void SetBlockEdgeColor(COLORREF c) { SetColor(m_crBlockEdge, c); }
    void SetHiliteFaceColor(COLORREF c) { SetColor(m_crHiliteFace, c); }
    void SetHiliteEdgeColor(COLORREF c) { SetColor(m_crHiliteEdge, c); }
    void Reset() { m_state.Reset(); }
    void UseSysBackground(BOOL use);

    const BusyBarState& State() const { return m_state; }
    bool IsAnimating() const { return m_thread.Started(); }

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    virtual void DrawBackground(HDC dc, const RECT& rc);
    virtual void DrawBlock(HDC dc, const RECT& rc, COLORREF face, COLORREF edge);
    virtual void DrawPartialFill(HDC dc, const RECT& block, int width);

  private:
    void SetColor(COLORREF& field, COLORREF c);
    void Paint();
    void Redraw() { InvalidateRect(m_hWnd, nullptr, FALSE); }

    BusyBarState m_state;
    std::atomic<int> m_nSpeed{100};
    BOOL m_bSysBg = TRUE;
    COLORREF m_crBackground = GetSysColor(COLOR_BTNFACE);
    COLORREF m_crBlockFace = RGB(160, 190, 220);
    COLORREF m_crBlockEdge = RGB(50, 90, 135);
    COLORREF m_crHiliteFace = RGB(190, 220, 255);
    COLORREF m_crHiliteEdge = RGB(50, 90, 135);
    std::unique_ptr<CBitmapDC> m_pOffscreen; // the bar drawn off screen, then copied at once
    CThread m_thread;
    CHandle m_hStop; // the run flag: signalled when the stepping thread is to end
};

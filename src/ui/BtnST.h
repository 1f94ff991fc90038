#pragma once
#include "ui/Window.h"
#include "win32/Scoped.h"

#include <memory>
#include <string>

// The owner-drawn push button every button of the window is made of: flat (lit while the mouse
// is over it) or raised, with its own six colours, cursor, icon, tool tip and web address, and
// optionally showing the parent's background through itself.
class CBtnST : public CWindow {
  public:
    enum { BTNST_OK = 0, BTNST_INVALIDRESOURCE = 1, BTNST_INVALIDINDEX = 3 };
    enum {
        BTNST_COLOR_BK_IN, // hovered or pressed
        BTNST_COLOR_FG_IN,
        BTNST_COLOR_BK_OUT, // normal
        BTNST_COLOR_FG_OUT,
        BTNST_COLOR_BK_FOCUS,
        BTNST_COLOR_FG_FOCUS,
        BTNST_MAX_COLORS
    };

    CBtnST();
    ~CBtnST() override;

    bool Create(LPCSTR caption, DWORD style, const RECT& rect, HWND parent, UINT id);

    DWORD SetImageIcon(UINT iconIn, UINT iconOut = 0);
    void SetFlatStyle(BOOL flat, BOOL repaint = TRUE);
    DWORD SetColor(int index, COLORREF color, BOOL repaint = TRUE);
    DWORD SetHoverCursor(UINT cursorId, BOOL repaint = TRUE);
    void SetTransparent(BOOL repaint = TRUE);
    void SetTipText(LPCSTR text, BOOL activate = TRUE);
    void SetLinkUrl(LPCSTR url);

    BOOL m_bFlat = TRUE;
    BOOL m_bHover = FALSE;
    BOOL m_bTransparent = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bDefault = FALSE;
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bFlatFocus = FALSE;
    BOOL m_bAlwaysTrack = TRUE;
    COLORREF m_crColors[BTNST_MAX_COLORS];
    POINT m_ptPressedOffset = {1, 1};

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void PreSubclassWindow() override;

    void OnMouseMove(UINT flags, POINT pt);
    // The pointer came onto a flat button, which now draws itself lit.
    virtual void OnHoverStart() {}
    virtual void OnMouseLeave() { CancelHover(); }
    virtual void DrawItem(const DRAWITEMSTRUCT& dis);
    virtual void PaintBackground(HDC dc, const RECT& rc);
    virtual void PaintBorder(HDC dc, const RECT& rc);
    virtual void PaintIcon(HDC dc, const std::string& caption, RECT& rcCaption);
    virtual void PaintCaption(HDC dc, const std::string& caption, RECT rcCaption);

    void CancelHover();
    // Asks for one WM_MOUSELEAVE when the pointer leaves the button.
    void TrackLeave();
    void Repaint() { InvalidateRect(m_hWnd, nullptr, TRUE); }

  private:
    struct Icon {
        CIcon handle;
        int width = 0, height = 0;
    };

    void OnClicked();
    void ResetColors();
    void FreeIcons();
    void TakeBackground();

    Icon m_icons[2];
    CCursor m_hCursor;
    HWND m_hTip = nullptr;
    char m_szUrl[260] = {};
    std::unique_ptr<CBitmapDC> m_pBackground; // the parent's picture under a transparent button
};

#pragma once
#include "ui/Window.h"
#include "win32/Scoped.h"

// A text drawn straight onto the parent's picture in a chosen colour, with a font that suits
// the user's language.
class CMyStatic : public CWindow {
  public:
    bool Create(LPCSTR text, DWORD style, const RECT& rect, HWND parent, UINT id);
    void SetTextColor(COLORREF color);
    void SetTransparent(BOOL transparent);
    void SetFontSize(int tenthsOfPoint, LPCSTR face);

    COLORREF m_crText = RGB(0, 0, 0);
    BOOL m_bTransparent = FALSE;

  protected:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void RedrawNow();

    CFont m_font;
};

#include "ui/MyStatic.h"

#include "core/Token.h"
#include "ui/PointFont.h"

bool CMyStatic::Create(LPCSTR text, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CWindow::Create("STATIC", text, style, rect, parent, id);
}

// Nothing erases behind a transparent text: the parent repaints its picture there first, or
// the old letters would stay under the new ones.
void CMyStatic::RedrawNow() {
    HWND parent = GetParent(m_hWnd);
    if (!m_bTransparent || !parent) {
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CMyStatic::SetTextColor(COLORREF color) {
    m_crText = color;
    RedrawNow();
}

void CMyStatic::SetTransparent(BOOL transparent) {
    m_bTransparent = transparent;
    RedrawNow();
}

void CMyStatic::SetFontSize(int tenthsOfPoint, LPCSTR face) {
    // The control uses its font until it is given the next one.
    CFont font = CreatePointFont(tenthsOfPoint, face);
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    m_font = std::move(font);
    RedrawNow();
}

bool CMyStatic::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    ::SetTextColor(dc, m_crText);
    SetBkMode(dc, TRANSPARENT);
    // Opaque: the usual face behind the text, which keeps its colour.
    result = m_bTransparent ? reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH))
                            : reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

#include "ui/ButtonTip.h"

#include <commctrl.h>

#include "ui/Dib.h"
#include "ui/PointFont.h"
#include "ui/TipHost.h"

namespace {
// The description area in memory, holding the part of the background picture under it; shown
// on the area in one copy, so the area never flickers and nothing lands outside it.
class TipCanvas {
  public:
    TipCanvas(HWND area, const CDib& picture)
        : m_r(AreaInParent(area)), m_w(m_r.right - m_r.left), m_h(m_r.bottom - m_r.top), m_dc(area),
          m_mem(m_dc.Get(), m_w, m_h) {
        const RECT& r = m_r;
        SIZE size;
        TipBackground part;
        if (picture.GetSize(&size) &&
            TipBackgroundPart({r.left, r.top, r.right, r.bottom}, size.cx, size.cy, part)) {
            const RECT source{part.source.left, part.source.top, part.source.right, part.source.bottom};
            picture.Draw(m_mem.Get(), source, POINT{part.destX, part.destY});
        }
    }

    HDC Memory() const { return m_mem.Get(); }
    int Width() const { return m_w; }
    void Show() const { BitBlt(m_dc.Get(), 0, 0, m_w, m_h, m_mem.Get(), 0, 0, SRCCOPY); }

  private:
    static RECT AreaInParent(HWND area) {
        RECT r;
        GetWindowRect(area, &r);
        MapWindowPoints(nullptr, GetParent(area), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    RECT m_r;
    int m_w, m_h;
    CWindowDC m_dc;
    CBitmapDC m_mem;
};
} // namespace

TipStyle TipStyleOn(HWND parent) {
    const auto* host = dynamic_cast<const CTipHost*>(CWindow::FromHandle(parent));
    return host ? host->GetTipStyle() : TipStyle();
}

CButtonTip::CButtonTip(const std::string& title, const TipStyle& style) {
    Title = title;
    TipColor = style.color;
    NoteSize = style.noteSize;
}

CTipHost* CButtonTip::Host() const {
    return dynamic_cast<CTipHost*>(FromHandle(GetParent(m_hWnd)));
}

void CButtonTip::ShowTip() {
    const CTipHost* host = Host();
    TipArea = host ? host->GetTipArea() : nullptr;
    const CDib* picture = host ? host->GetTipBackground() : nullptr;
    // Without a picture there is nothing to write over, and nothing to erase with later.
    if (!TipArea || !picture) return;

    const TipText text = host->GetTipText();
    TipCanvas canvas(TipArea, *picture);
    HDC dc = canvas.Memory();
    const CFont font = CreatePointFont(NoteSize * 10, text.face.c_str());
    const CSelectObject selectFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TipColor);
    RECT rc{0, 0, canvas.Width(), 0};
    for (const TipLine& line : TipLines(*this, text.labels)) {
        // Each line starts below the last; the measure sets the bottom to the text's height.
        rc = {0, rc.bottom + line.gap, canvas.Width(), 0};
        DrawTextA(dc, line.text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK);
        DrawTextA(dc, line.text.c_str(), -1, &rc, DT_WORDBREAK);
    }
    canvas.Show();
}

void CButtonTip::HideTip() {
    if (!m_bFlat || !m_bHover || !TipArea) return;
    const CTipHost* host = Host();
    const CDib* picture = host ? host->GetTipBackground() : nullptr;
    if (!picture || !IsWindow(TipArea)) return;
    TipCanvas(TipArea, *picture).Show();
}

void CButtonTip::OnHoverStart() {
    ShowTip();
}

void CButtonTip::OnMouseLeave() {
    HideTip();
    CancelHover();
}

#pragma once
#include "core/TipLayout.h"
#include "ui/BtnST.h"

class CTipHost;

// A skinned button that, while the mouse rests on it, writes its description into the
// description area of its parent (a CTipHost) over the parent's background picture, and erases
// it again when the mouse leaves. Page builders fill the TipFields after construction.
class CButtonTip : public CBtnST, public TipFields {
  public:
    CButtonTip(const std::string& title, const TipStyle& style);

    void ShowTip();
    void HideTip();

    HWND TipArea = nullptr; // known from the first ShowTip on
    COLORREF TipColor;
    int NoteSize;

  protected:
    void OnHoverStart() override;
    void OnMouseLeave() override;

  private:
    CTipHost* Host() const;
};

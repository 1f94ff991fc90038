#include "app/Skin.h"

#include "core/WindowLayout.h"
#include "res/resource.h"
#include "ui/BtnST.h"

void SetMenuButtonLook(CBtnST& button) {
    const COLORREF text = kWindowLayout.menuTextColor;
    button.SetColor(CBtnST::BTNST_COLOR_FG_IN, text);
    button.SetColor(CBtnST::BTNST_COLOR_FG_OUT, text);
    button.SetColor(CBtnST::BTNST_COLOR_FG_FOCUS, text);
    button.SetHoverCursor(IDC_LINKHAND);
}

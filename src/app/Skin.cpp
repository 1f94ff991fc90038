#include "app/Skin.h"

#include "res/resource.h"
#include "ui/BtnST.h"

void SetMenuButtonLook(CBtnST& button) {
    const COLORREF white = RGB(255, 255, 255);
    button.SetColor(CBtnST::BTNST_COLOR_FG_IN, white);
    button.SetColor(CBtnST::BTNST_COLOR_FG_OUT, white);
    button.SetColor(CBtnST::BTNST_COLOR_FG_FOCUS, white);
    button.SetHoverCursor(IDC_LINKHAND);
}

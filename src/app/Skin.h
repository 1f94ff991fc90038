#pragma once
#include <windows.h>

#include "core/Rect.h"

class CBtnST;

inline RECT ToWinRect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The look every button of the menu shares: white text in all states and the pointing hand.
void SetMenuButtonLook(CBtnST& button);

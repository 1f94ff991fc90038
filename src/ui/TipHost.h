#pragma once
#include <windows.h>

#include "core/TipLayout.h"

class CDib;

// What the window that holds the buttons offers their descriptions: the area they are written
// into and the picture its background is painted with (either may be missing, null), and the look
// and words of the descriptions, which the buttons do not read themselves.
class CTipHost {
  public:
    virtual ~CTipHost() = default;
    virtual HWND GetTipArea() const = 0;
    virtual const CDib* GetTipBackground() const = 0;
    virtual TipStyle GetTipStyle() const = 0;
    // Asked each time a description is drawn: the language may have changed since.
    virtual TipText GetTipText() const = 0;
};

// The look of the descriptions of buttons made on `parent`: its host's, or the default when the
// parent is no host.
TipStyle TipStyleOn(HWND parent);

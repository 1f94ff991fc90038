#pragma once
#include <windows.h>

class CDib;

// What the window that holds the buttons offers their descriptions: the area they are written
// into and the picture its background is painted with. Either may be missing (null).
class CTipHost {
  public:
    virtual ~CTipHost() = default;
    virtual HWND GetTipArea() const = 0;
    virtual const CDib* GetTipBackground() const = 0;
};

#pragma once
#include "ui/Dib.h"
#include "ui/MyStatic.h"
#include "ui/TipHost.h"
#include "ui/Window.h"

#include <memory>
#include <string>
#include <vector>

// The view as the buttons see it: a 640 x 480 window at the screen's top-left corner painted with
// a picture, with the description area 2050 at (310, 150, 600, 400). Picture and area are optional.
class TipTestView : public CWindow, public CTipHost {
  public:
    TipTestView(bool withPicture, bool withArea);
    HWND GetTipArea() const override { return m_area.m_hWnd; }
    const CDib* GetTipBackground() const override { return m_picture.get(); }
    // From Root.ini beside the test program, as the program's view reads its own.
    TipStyle GetTipStyle() const override;
    TipText GetTipText() const override;

    // The colour of the picture at a point of the view; none of its pixels has a pure colour.
    static COLORREF PictureAt(int x, int y);

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::unique_ptr<CDib> m_picture;
    CMyStatic m_area;
};

// The screen's pixels in r (screen coordinates), row by row.
std::vector<COLORREF> Screenshot(const RECT& r);
// Moves the mouse pointer of the X server (xdotool); false when that failed.
bool MoveMouseTo(int x, int y);
// Writes a file, creating or replacing it.
void WriteText(const std::string& path, const std::string& text);
// The folder of the running test program, with its backslash.
std::string ProgramFolder();

#pragma once
#include "ui/Window.h"

#include <string>
#include <vector>

// A top-level window of our own class for the controls under test: plain fill, records the
// commands it receives.
class UiTestWindow : public CWindow {
  public:
    explicit UiTestWindow(COLORREF fill = RGB(0, 0, 128), int width = 640, int height = 480);
    std::vector<WORD> m_commands;
    COLORREF m_fill;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// Handles what is queued for this thread for about ms milliseconds.
void Pump(int ms);
COLORREF PixelAt(HWND hwnd, int x, int y);
// Counts the pixels of the window's client rectangle r that have colour c.
int CountColor(HWND hwnd, const RECT& r, COLORREF c);

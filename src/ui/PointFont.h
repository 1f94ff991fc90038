#pragma once
#include <windows.h>

// A font of the given size in tenths of a point on the screen, as the controls' texts use.
HFONT CreatePointFont(int tenthsOfPoint, LPCSTR face);

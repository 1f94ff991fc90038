#pragma once
#include <windows.h>

#include "win32/Scoped.h"

// A font of the given size in tenths of a point on the screen, as the controls' texts use.
CFont CreatePointFont(int tenthsOfPoint, LPCSTR face);

// The Traditional Chinese script face (Big5 bytes of its name), for texts of CHT systems.
extern const char kChineseScriptFace[];

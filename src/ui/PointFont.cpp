#include "ui/PointFont.h"

#include <cstring>

const char kChineseScriptFace[] = "\xBC\xD0\xB7\xA2\xC5\xE9";

HFONT CreatePointFont(int tenthsOfPoint, LPCSTR face) {
    LOGFONTA lf{};
    HDC dc = GetDC(nullptr);
    lf.lfHeight = -MulDiv(tenthsOfPoint, GetDeviceCaps(dc, LOGPIXELSY), 720);
    ReleaseDC(nullptr, dc);
    lf.lfCharSet = DEFAULT_CHARSET;
    strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

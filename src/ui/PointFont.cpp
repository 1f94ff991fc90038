#include "ui/PointFont.h"

#include <cstring>

const char kChineseScriptFace[] = "\xBC\xD0\xB7\xA2\xC5\xE9";

CFont CreatePointFont(int tenthsOfPoint, LPCSTR face) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(tenthsOfPoint, GetDeviceCaps(CWindowDC(nullptr).Get(), LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CFont(CreateFontIndirectA(&lf));
}

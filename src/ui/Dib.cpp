#include "ui/Dib.h"

#include <vector>

CDib::CDib(HANDLE file) {
    LARGE_INTEGER size, pos, zero{};
    if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, zero, &pos, FILE_CURRENT)) return;
    const LONGLONG left = size.QuadPart - pos.QuadPart;
    if (left <= 0 || left > LONGLONG(kMaxDibFile)) return;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(left));
    DWORD read = 0;
    if (!ReadFile(file, data.data(), DWORD(data.size()), &read, nullptr)) return;
    m_dib = ParseDib(data.data(), read);
}

BOOL CDib::GetSize(SIZE* size) const {
    if (m_dib.Empty()) return FALSE;
    size->cx = m_dib.width;
    size->cy = m_dib.height;
    return TRUE;
}

int CDib::Draw(HDC dc, const RECT& source, POINT target) const {
    if (m_dib.Empty() || source.right <= source.left || source.bottom <= source.top) return 0;
    return SetDIBitsToDevice(dc, target.x, target.y, source.right - source.left, source.bottom - source.top,
                             source.left, source.top, 0, m_dib.height, m_dib.bits.data(),
                             reinterpret_cast<const BITMAPINFO*>(m_dib.info.data()), DIB_RGB_COLORS);
}

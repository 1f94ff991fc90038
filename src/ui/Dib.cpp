#include "ui/Dib.h"

#include <vector>

// The 32-bit size and position calls exist on every Windows. A failure, and any file of 4 GB or
// more, is refused like every file past the limit.
CDib::CDib(HANDLE file) {
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    const DWORD pos = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    if (size == INVALID_FILE_SIZE || high != 0 || pos == INVALID_SET_FILE_POINTER || pos >= size) return;
    const DWORD left = size - pos;
    if (left > kMaxDibFile) return;
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

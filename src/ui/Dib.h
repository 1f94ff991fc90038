#pragma once
#include "core/DibData.h"

#include <windows.h>

// A BMP image held in memory, of which any rectangle is painted onto a device context.
class CDib {
  public:
    // Reads the BMP that starts at the file's current position; a file that cannot be read or
    // drawn safely leaves the object empty.
    explicit CDib(HANDLE file);
    virtual ~CDib() = default;

    BOOL GetSize(SIZE* size) const;
    // The source rectangle counts rows from the bottom of the image; the result is the number of
    // lines set, 0 when empty.
    int Draw(HDC dc, const RECT& source, POINT target) const;

  private:
    DibData m_dib;
};

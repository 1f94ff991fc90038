#include "core/DibData.h"

#include <cstdlib>

// Whatever the bytes, the parsed form is empty or consistent: the header's size of the pixel
// rows is exactly what was copied, and the colour table is complete.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DibData d = ParseDib(data, size);
    if (d.Empty()) return 0;
    const std::uint8_t* h = d.info.data();
    const unsigned bpp = h[14];
    const std::size_t row = (std::size_t(d.width) * bpp + 31) / 32 * 4;
    const std::size_t table = bpp <= 8 ? std::size_t(4) << bpp : 0;
    const std::size_t masks = h[16] == 3 ? 12 : 0;
    if (d.width <= 0 || d.height <= 0 || d.bits.size() != row * d.height || d.bits.size() > size ||
        d.info.size() != 40 + masks + table)
        std::abort();
    return 0;
}

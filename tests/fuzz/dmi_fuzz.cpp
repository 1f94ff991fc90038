#include "core/DmiTable.h"

#include <cstdint>
#include <vector>

// The input is the BIOS area at 0xF0000; the seeds are short areas whose entry point names a table
// right behind it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so reading one past the end is caught.
    const std::vector<std::uint8_t> area(data, data + size);
    DmiStrings out;
    ParseDmiArea(area.data(), area.size(), 0xF0000, out);
    return 0;
}

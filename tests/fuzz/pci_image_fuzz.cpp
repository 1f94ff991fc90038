// Arbitrary configuration images parsed and scanned through the mechanism-1 port: the scan must
// stay within buses 0-9 and find at most eight functions per slot.
#include "core/PciConfigImage.h"
#include "core/PciImagePort.h"
#include "core/PciScanner.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPciConfigImage image;
    image.Parse(std::string(reinterpret_cast<const char*>(data), size));
    CPciImagePort port(image);
    std::vector<PciDeviceRecord> list;
    int n = CPciScanner(&port).Scan(list);
    if (n != static_cast<int>(list.size()) || n > 10 * 32 * 8) __builtin_trap();
    for (const PciDeviceRecord& r : list)
        if (r.bus > 9 || r.device > 31 || r.function > 7) __builtin_trap();
    return 0;
}

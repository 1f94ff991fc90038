// Rectangle texts come straight from Root.ini.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Rect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParseRect(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}

#pragma once
#include <cstdint>
#include <string>

// The WBEM name of a WMI result code, or its lower-case hexadecimal digits when it has none we know.
std::string WbemErrorName(std::uint32_t code);

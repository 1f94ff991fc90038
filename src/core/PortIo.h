#pragma once
#include <cstdint>

// The two functions of the port-I/O library, as one seam: the scan runs over this, the Windows
// build answers through the vendor library, tests through a configuration image.
class PortIo {
  public:
    virtual ~PortIo() = default;
    virtual void WritePort(std::uint32_t port, std::uint32_t value, std::uint32_t size) = 0;
    virtual void ReadPort(std::uint32_t port, std::uint32_t* value, std::uint32_t size) = 0;
};

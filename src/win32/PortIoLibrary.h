#pragma once
#include <string>

#include "core/PortIo.h"

// The vendor's port-I/O library ("VORN-IO.dll"): two exported port functions, found by name.
class CPortIoLibrary : public PortIo {
  public:
    // Loads the library (never freed) and takes its two functions; null when either is missing.
    // A second load replaces the process-wide function addresses.
    static PortIo* Load(const std::string& dllPath);

    void WritePort(std::uint32_t port, std::uint32_t value, std::uint32_t size) override;
    void ReadPort(std::uint32_t port, std::uint32_t* value, std::uint32_t size) override;
};

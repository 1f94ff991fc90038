#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>

// The configuration spaces of one machine's PCI functions, from a text image: one line per function,
// "BB:DD.F" in hex followed by up to 256 configuration bytes in hex ("#" starts a comment line).
// Bytes a line leaves out read as 0; functions it does not list read as FFh, as an empty slot does.
class CPciConfigImage {
  public:
    virtual ~CPciConfigImage() = default;
    // Lines that do not follow the form are skipped; returns how many functions were taken.
    int Parse(const std::string& text);
    std::uint32_t ReadDword(unsigned bus, unsigned device, unsigned function, unsigned offset) const;

  private:
    std::map<std::uint32_t, std::array<std::uint8_t, 256>> m_functions;
};

#pragma once
#include <cstdint>
#include <vector>

class PortIo;

// One present PCI function as read from its configuration space.
struct PciDeviceRecord {
    std::uint8_t bus = 0, device = 0, function = 0;
    std::uint16_t vendorId = 0, deviceId = 0;
    std::uint8_t subClass = 0, baseClass = 0;
    std::uint16_t subsystemVendorId = 0, subsystemId = 0;
};

// Walks buses 0-9 through configuration mechanism 1 (ports 0CF8h/0CFCh).
class CPciScanner {
  public:
    // `io` is null when the port-I/O library is absent: then nothing is scanned.
    explicit CPciScanner(PortIo* io) : m_pIo(io) {}
    virtual ~CPciScanner() = default;

    int Scan(std::vector<PciDeviceRecord>& list);
    std::uint32_t ReadConfigDword(unsigned bus, unsigned device, unsigned function, unsigned offset);
    std::uint8_t ReadConfigByte(unsigned bus, unsigned device, unsigned function, unsigned offset);
    std::uint16_t ReadConfigWord(unsigned bus, unsigned device, unsigned function, unsigned offset);

  private:
    bool IsPresent(unsigned bus, unsigned device, unsigned function);
    PciDeviceRecord ReadRecord(unsigned bus, unsigned device, unsigned function);

    PortIo* m_pIo;
};

#include "core/PciScanner.h"

#include "core/PortIo.h"

namespace {
const std::uint32_t kConfigAddress = 0xCF8, kConfigData = 0xCFC;
const unsigned kBuses = 10, kDevices = 32, kFunctions = 8;
} // namespace

std::uint32_t CPciScanner::ReadConfigDword(unsigned bus, unsigned device, unsigned function,
                                           unsigned offset) {
    std::uint32_t address = 0x80000000u | (bus & 0xFFu) << 16 | (device & 0x1Fu) << 11 |
                            (function & 0x7u) << 8 | (offset & 0xFCu);
    // A library that fails to answer leaves the slot reading as absent rather than as garbage.
    std::uint32_t value = 0xFFFFFFFFu;
    m_pIo->WritePort(kConfigAddress, address, 4);
    m_pIo->ReadPort(kConfigData, &value, 4);
    return value;
}

std::uint8_t CPciScanner::ReadConfigByte(unsigned bus, unsigned device, unsigned function, unsigned offset) {
    return static_cast<std::uint8_t>(ReadConfigDword(bus, device, function, offset) >> (8 * (offset & 3)));
}

std::uint16_t CPciScanner::ReadConfigWord(unsigned bus, unsigned device, unsigned function, unsigned offset) {
    std::uint32_t dword = ReadConfigDword(bus, device, function, offset);
    return static_cast<std::uint16_t>((offset & 2) ? dword >> 16 : dword);
}

bool CPciScanner::IsPresent(unsigned bus, unsigned device, unsigned function) {
    return ReadConfigDword(bus, device, function, 0x00) != 0xFFFFFFFFu;
}

PciDeviceRecord CPciScanner::ReadRecord(unsigned bus, unsigned device, unsigned function) {
    PciDeviceRecord r;
    r.bus = static_cast<std::uint8_t>(bus);
    r.device = static_cast<std::uint8_t>(device);
    r.function = static_cast<std::uint8_t>(function);
    r.vendorId = ReadConfigWord(bus, device, function, 0x00);
    r.deviceId = ReadConfigWord(bus, device, function, 0x02);
    r.subClass = ReadConfigByte(bus, device, function, 0x0A);
    r.baseClass = ReadConfigByte(bus, device, function, 0x0B);
    r.subsystemVendorId = ReadConfigWord(bus, device, function, 0x2C);
    r.subsystemId = ReadConfigWord(bus, device, function, 0x2E);
    return r;
}

int CPciScanner::Scan(std::vector<PciDeviceRecord>& list) {
    if (!m_pIo) return 0;
    int count = 0;
    for (unsigned bus = 0; bus < kBuses; ++bus) {
        for (unsigned device = 0; device < kDevices; ++device) {
            if (!IsPresent(bus, device, 0)) continue;
            bool multiFunction = ReadConfigByte(bus, device, 0, 0x0E) & 0x80;
            list.push_back(ReadRecord(bus, device, 0));
            ++count;
            for (unsigned function = 1; multiFunction && function < kFunctions; ++function) {
                if (!IsPresent(bus, device, function)) continue;
                list.push_back(ReadRecord(bus, device, function));
                ++count;
            }
        }
    }
    return count;
}

#include "core/PciImagePort.h"

void CPciImagePort::WritePort(std::uint32_t port, std::uint32_t value, std::uint32_t size) {
    if (port == 0xCF8 && size == 4) m_address = value;
}

void CPciImagePort::ReadPort(std::uint32_t port, std::uint32_t* value, std::uint32_t size) {
    if (!value) return;
    if (port != 0xCFC || size != 4 || !(m_address & 0x80000000u)) {
        *value = 0xFFFFFFFFu;
        return;
    }
    *value = m_image.ReadDword(m_address >> 16 & 0xFF, m_address >> 11 & 0x1F, m_address >> 8 & 0x7,
                               m_address & 0xFC);
}

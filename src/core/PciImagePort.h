#pragma once
#include "core/PciConfigImage.h"
#include "core/PortIo.h"

// Configuration mechanism 1 answered from an image: a dword written to 0CF8h selects the register,
// a dword read from 0CFCh returns it. Anything else reads as all ones, as an idle bus does.
class CPciImagePort : public PortIo {
  public:
    explicit CPciImagePort(const CPciConfigImage& image) : m_image(image) {}
    void WritePort(std::uint32_t port, std::uint32_t value, std::uint32_t size) override;
    void ReadPort(std::uint32_t port, std::uint32_t* value, std::uint32_t size) override;

  private:
    const CPciConfigImage& m_image;
    std::uint32_t m_address = 0;
};

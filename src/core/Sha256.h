#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// SHA-256 (FIPS 180-4) of a stream of bytes, for systems whose CryptoAPI lacks it: Windows 95 to
// 2000 and XP before SP3.
class CSha256 {
  public:
    using Digest = std::array<std::uint8_t, 32>;

    CSha256();
    virtual ~CSha256() = default;

    void Add(const void* data, std::size_t size);
    // The digest of everything added; the object starts over afterwards.
    Digest Finish();

  private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_block;
    std::size_t m_used;     // bytes waiting in m_block
    std::uint64_t m_length; // bytes added in all
};

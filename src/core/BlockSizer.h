#pragma once
#include <cstdint>

// How many bytes a transfer asks for in its next block. Each block costs calls and a hand-over
// between two threads, so small blocks waste a fast line; but the byte counter, and with it the
// progress figures, moves once per block, so a block should not take long on a slow one. The rule:
// start at 4 KB; a full block that took under 25 ms doubles the next one, up to 1 MB; a block that
// took over 100 ms halves it, down to 1 KB. Cancel does not wait for a block (the transfer leaves a
// block that is still running), so the rule is about speed and smooth progress only.
class CBlockSizer {
  public:
    static constexpr std::uint32_t kFirst = 4 * 1024;
    static constexpr std::uint32_t kLeast = 1024;
    static constexpr std::uint32_t kMost = 1024 * 1024;

    virtual ~CBlockSizer() = default;

    std::uint32_t Size() const { return m_size; }
    // A block of Size() asked for has brought `moved` bytes in `ms` milliseconds.
    void Done(std::uint32_t moved, std::uint32_t ms);

  private:
    std::uint32_t m_size = kFirst;
};

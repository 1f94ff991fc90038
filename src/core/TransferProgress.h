#pragma once
#include <cstdint>
#include <string>

// What the transfer progress dialog shows at each one-second tick, from the byte counter of the
// running transfer and the total it expects (which a folder transfer learns while it runs).
class CTransferProgress {
  public:
    virtual ~CTransferProgress() = default;

    struct Tick {
        int percent = 0;      // bar position, 0..100
        std::string rate;     // rate line
        std::string timeLeft; // time-left line; empty keeps the previous text
    };

    // `count` and `total` are read once for this tick. The counter may pass the total (a file that
    // grew since it was listed) or never reach it (a failed file): the dialog ends when the
    // transfer does, not by comparing the two.
    Tick OnTick(std::uint32_t count, std::uint32_t total);

  private:
    std::uint32_t m_dwLastCount = 0;
};

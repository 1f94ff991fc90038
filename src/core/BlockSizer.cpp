#include "core/BlockSizer.h"

namespace {
const std::uint32_t kQuickMs = 25;
const std::uint32_t kSlowMs = 100;
} // namespace

void CBlockSizer::Done(std::uint32_t moved, std::uint32_t ms) {
    if (ms > kSlowMs && m_size > kLeast)
        m_size /= 2;
    else if (moved == m_size && ms < kQuickMs && m_size < kMost)
        m_size *= 2;
}

#include "core/BusyBarState.h"

#include <algorithm>

namespace {
// Counts arrive in window messages from anywhere: keep them where the layout stays small and
// blocks x granularity cannot overflow.
constexpr int kMaxCount = 1000;
int Count(int n) {
    return std::clamp(n, 1, kMaxCount);
}
} // namespace

BusyBarState::BusyBarState(int blocks, int pos)
    : m_nBlocks(Count(blocks)), m_nPos(pos), m_nSubSteps(m_nBlocks * m_nGranularity) {}

void BusyBarState::SetNumSteps(int n) {
    m_nBlocks = Count(n);
}

void BusyBarState::SetBlockGap(int gap) {
    m_nGap = std::clamp(gap, 0, kMaxCount);
}

// The drawing and stepping know only busy and progress; anything else keeps the current mode.
void BusyBarState::SetMode(int mode) {
    if (mode != kBusy && mode != kProgress) return;
    m_nMode = mode;
    if (mode == kProgress) m_nStep = 1;
}

void BusyBarState::SetBusyType(int type) {
    m_nBusyType = type;
    if (m_nMode != kBusy) return;
    if (type == kLoop) m_nStep = 1;
    if (type == kReverseLoop) m_nStep = -1;
}

void BusyBarState::SetBusyFill(int fill) {
    if (m_nMode != kBusy) return;
    m_nFill = fill;
    Reset();
    if (fill == kGrowingFill) m_nSubSteps = m_nBlocks * m_nGranularity;
}

void BusyBarState::SetGranularity(int g) {
    m_nGranularity = Count(g);
    SetBusyFill(m_nFill);
}

void BusyBarState::Step() {
    if (m_nMode == kBusy) {
        const int max = m_nFill == kGrowingFill ? m_nSubSteps : m_nBlocks;
        if (m_nBusyType == kBounce) {
            if (m_nPos >= max - 1) m_nStep = -1;
            if (m_nPos <= 0) m_nStep = 1;
        } else if (m_nBusyType == kLoop) {
            if (m_nPos + 1 == max) m_nPos = -1;
        } else if (m_nBusyType == kReverseLoop) {
            if (m_nPos == 0) m_nPos = max;
        }
    }
    m_nPos += m_nStep;
}

void BusyBarState::Reset() {
    const bool reverse = m_nMode == kBusy && m_nBusyType == kReverseLoop;
    m_nPos = 0;
    if (reverse) m_nPos = m_nFill == kGrowingFill ? m_nBlocks * m_nGranularity : m_nBlocks;
    m_nStep = reverse ? -1 : 1;
}

// Share of the bar that is filled, kept within the bar whatever the position and range.
double BusyBarState::Fraction() const {
    const int d = m_nMode == kBusy ? m_nSubSteps : m_nUpper - m_nLower;
    if (d <= 0) return 0;
    return std::clamp(double(m_nPos) / d, 0.0, 1.0);
}

std::vector<BusyBarState::Block> BusyBarState::Layout(int width, int height) const {
    const float blockWidth = std::max(0.f, float(width - m_nBlocks * m_nGap) / m_nBlocks);
    const bool single = m_nMode == kBusy && m_nFill == kSingleBlock;
    int full = -1;
    int partial = 0;
    if (!single) {
        const double f = Fraction();
        full = int(m_nBlocks * f) - 1;
        partial = std::max(0, int((f * m_nBlocks - 1 - full) * blockWidth));
    }
    std::vector<Block> blocks;
    float left = 0;
    for (int i = 0; i < m_nBlocks; ++i) {
        Block b{int(left), int(left) + int(blockWidth), height, false, 0};
        b.lit = single ? i == m_nPos : i <= full;
        if (!single && i == full + 1) b.partial = partial;
        blocks.push_back(b);
        left += blockWidth + m_nGap;
    }
    return blocks;
}

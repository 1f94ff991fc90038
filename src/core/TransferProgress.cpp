#include "core/TransferProgress.h"

#include <algorithm>

#include "core/StringExpression.h"

CTransferProgress::Tick CTransferProgress::OnTick(std::uint32_t count, std::uint32_t total) {
    Tick t;
    // A counter past the total (a file larger than listed) holds the bar at 100 %; while a folder's
    // total is still being listed, nothing has moved and the bar stays at 0.
    double share = total ? static_cast<double>(count) / total * 100 : count ? 100 : 0;
    t.percent = static_cast<int>(std::min(share, 100.0));
    CStringExpression text;
    std::uint32_t delta = count - m_dwLastCount;
    t.rate = "Transfer rate: " + text.FormatSize(delta) + "/sec";
    if (delta != 0) {
        std::uint32_t left = count < total ? (total - count) / delta : 0;
        t.timeLeft = "Estimated time left: " + text.FormatTime(left) + " (" + std::to_string(count / 1024) +
                     "/" + std::to_string(total / 1024) + " KBytes)";
    }
    m_dwLastCount = count;
    return t;
}

#include "core/StringExpression.h"

std::string CStringExpression::FormatSize(std::uint32_t bytes) const {
    if (bytes < 1024) return std::to_string(bytes) + "Bytes";
    if (bytes < 1048576) return std::to_string(bytes / 1024) + "KBytes";
    return std::to_string(bytes / 1048576) + "MBytes";
}

std::string CStringExpression::FormatTime(std::uint32_t seconds) const {
    if (seconds < 60) return std::to_string(seconds) + "Sec";
    if (seconds < 3600) return std::to_string(seconds / 60) + "Min";
    return std::to_string(seconds / 3600) + "Hour";
}

#include "core/CommandLine.h"

// An empty word ("") names no file, as if it were not there.
std::string DocumentArgument(const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (!w.empty() && w[0] != '-' && w[0] != '/') return w;
    return {};
}

#include "core/RunMode.h"

#include <algorithm>

namespace {
bool Contains(const std::string& s, const char* what) {
    return s.find(what) != std::string::npos;
}

// A line shorter than the switch and its separator names no file.
std::string DumpFileFrom(const std::string& commandLine, std::size_t skip) {
    std::string path = commandLine.size() > skip ? commandLine.substr(skip) : std::string();
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    return path;
}
} // namespace

RunModeChoice ChooseRunMode(const std::string& commandLine) {
    if (commandLine.empty()) return {RunMode::Normal, {}};
    if (Contains(commandLine, "-silent")) return {RunMode::Resume, {}};
    if (Contains(commandLine, "-dump")) return {RunMode::Dump, DumpFileFrom(commandLine, 6)};
    if (Contains(commandLine, "-sim")) return {RunMode::Simulation, DumpFileFrom(commandLine, 5)};
    return {RunMode::Custom, {}};
}

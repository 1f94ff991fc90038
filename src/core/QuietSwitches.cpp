#include "core/QuietSwitches.h"

#include <algorithm>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The word at `pos` when it begins with `name`: a flag must end there, a switch with a value goes on.
bool WordIs(const std::string& line, std::size_t pos, const std::string& name, bool flag) {
    if (line.compare(pos, name.size(), name) != 0) return false;
    const std::size_t end = pos + name.size();
    return !flag || end == line.size() || IsBlank(line[end]);
}

// Reads a switch's value from `pos`: up to the next blank, or between double quotes; `pos` moves past it.
std::string ValueAt(const std::string& line, std::size_t& pos) {
    if (pos < line.size() && line[pos] == '"') {
        const std::size_t close = line.find('"', pos + 1);
        std::string value =
            line.substr(pos + 1, close == std::string::npos ? std::string::npos : close - pos - 1);
        pos = close == std::string::npos ? line.size() : close + 1;
        return value;
    }
    std::size_t end = pos;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    std::string value = line.substr(pos, end - pos);
    pos = end;
    return value;
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
} // namespace

QuietSwitches QuietSwitches::Read(const std::string& commandLine) {
    QuietSwitches s;
    std::string rest;
    bool found = false;
    std::size_t pos = 0;
    while (pos < commandLine.size()) {
        // A word Windows quoted whole for its blanks ("-log:C:\My Logs\a.log") counts as well.
        const bool wordStart = pos == 0 || IsBlank(commandLine[pos - 1]);
        const std::size_t at = wordStart && commandLine[pos] == '"' ? pos + 1 : pos;
        std::string* value = nullptr;
        std::size_t skip = 0;
        if (wordStart && WordIs(commandLine, at, "-unattended", at == pos)) {
            s.unattended = true;
            skip = 11;
        } else if (wordStart && WordIs(commandLine, at, "-norestart", at == pos)) {
            s.noRestart = true;
            skip = 10;
        } else if (wordStart && WordIs(commandLine, at, "-log:", false)) {
            value = &s.log;
            skip = 5;
        } else if (wordStart && WordIs(commandLine, at, "-report:", false)) {
            value = &s.report;
            skip = 8;
        } else {
            rest += commandLine[pos++];
            continue;
        }
        found = true;
        const std::size_t start = pos;
        pos = at + skip;
        if (at != start) {
            // Quoted whole: the value is what the quotes hold.
            const std::size_t close = std::min(commandLine.find('"', pos), commandLine.size());
            if (value) *value = commandLine.substr(pos, close - pos);
            pos = std::min(close + 1, commandLine.size());
        } else if (value) {
            *value = ValueAt(commandLine, pos);
        }
        if (!value) continue;
        if (value->empty() && s.error.empty()) s.error = commandLine.substr(start, pos - start);
    }
    s.rest = found ? Trim(rest) : commandLine;
    return s;
}

std::string QuietSwitches::ForResume(bool noRestart, const std::string& log) {
    return std::string(" -unattended") + (noRestart ? " -norestart" : "") + " -log:\"" + log + "\"";
}

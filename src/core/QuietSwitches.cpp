#include "core/QuietSwitches.h"

#include <algorithm>
#include <cstring>

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

// The words this reads: a flag, or a switch whose value follows the colon.
struct Switch {
    const char* name;
    bool QuietSwitches::*flag;
    std::string QuietSwitches::*value;
};
const Switch kSwitches[] = {
    {"-unattended", &QuietSwitches::unattended, nullptr},
    {"-norestart", &QuietSwitches::noRestart, nullptr},
    {"-log:", nullptr, &QuietSwitches::log},
    {"-report:", nullptr, &QuietSwitches::report},
};

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
        const Switch* sw = nullptr;
        if (wordStart)
            for (const Switch& candidate : kSwitches)
                if (WordIs(commandLine, at, candidate.name, !candidate.value && at == pos)) sw = &candidate;
        if (!sw) {
            rest += commandLine[pos++];
            continue;
        }
        std::string* value = sw->value ? &(s.*sw->value) : nullptr;
        if (sw->flag) s.*sw->flag = true;
        found = true;
        const std::size_t start = pos;
        pos = at + std::strlen(sw->name);
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

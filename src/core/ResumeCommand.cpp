#include "core/ResumeCommand.h"

#include <cctype>

namespace {
const char kSwitch[] = "-silent:";
const std::size_t kSwitchLen = sizeof(kSwitch) - 1;
const std::size_t kMaxStepDigits = 9; // keeps the number inside an int

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// The page file is looked for below the program folder; it must stay there.
bool StaysInFolder(const std::string& file) {
    if (file.empty() || file[0] == '\\' || file[0] == '/' || file.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= file.size()) {
        std::size_t end = file.find_first_of("\\/", start);
        if (end == std::string::npos) end = file.size();
        if (file.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}
} // namespace

std::string ResumeCommand::CommandLine(const std::string& folder, int step, const std::string& iniPath,
                                       const std::string& section) {
    const std::string base = folder + "\\";
    std::string file = iniPath;
    if (StartsWithNoCase(iniPath, base))
        file = iniPath.substr(base.size());
    else if (iniPath.find('\\') != std::string::npos)
        return {};
    const std::string args = kSwitch + std::to_string(step) + " /" + file + " /" + section;
    ResumeCommand back;
    if (!Parse(args, back) || back.step != step || back.file != file || back.section != section) return {};
    return "\"" + folder + "\\Autorun.exe\" " + args;
}

bool ResumeCommand::Parse(const std::string& args, ResumeCommand& out) {
    if (args.compare(0, kSwitchLen, kSwitch) != 0) return false;
    std::size_t pos = kSwitchLen;
    int step = 0;
    while (pos < args.size() && std::isdigit(static_cast<unsigned char>(args[pos]))) {
        if (pos - kSwitchLen == kMaxStepDigits) return false;
        step = step * 10 + (args[pos++] - '0');
    }
    if (step < 1 || args.compare(pos, 2, " /") != 0) return false;
    const std::size_t first = pos + 1;
    const std::size_t last = args.rfind('/');
    // The file ends with the blank before the last "/"; a single "/" leaves neither file nor section.
    if (last < first + 3 || args[last - 1] != ' ' || last + 1 == args.size()) return false;
    std::string file = args.substr(first + 1, last - 1 - (first + 1));
    if (!StaysInFolder(file)) return false;
    out.step = step;
    out.file = std::move(file);
    out.section = args.substr(last + 1);
    return true;
}

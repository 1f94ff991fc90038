#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/ResumeCommand.h"

// Any argument text parses or not without reading outside it, and what parses writes back the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string args(reinterpret_cast<const char*>(data), size);
    ResumeCommand r;
    if (!ResumeCommand::Parse(args, r)) return 0;
    const std::string line = ResumeCommand::CommandLine("D:\\CD", r.step, "D:\\CD\\" + r.file, r.section);
    const std::string program = "\"D:\\CD\\Autorun.exe\" ";
    if (line.compare(0, program.size(), program) != 0) std::abort();
    ResumeCommand back;
    if (!ResumeCommand::Parse(line.substr(program.size()), back) || back.step != r.step ||
        back.file != r.file || back.section != r.section)
        std::abort();
    return 0;
}

// Checks a CD folder as Autorun.exe reads it and prints one finding per line:
//   autorun-lint [--werror] [--json] CD_FOLDER
// Exit code 0 without errors (warnings too count with --werror), 1 with, 2 when the CD cannot be
// checked at all (the reason on stderr).
#include <cstdio>
#include <string>

#include "core/CdLint.h"
#include "core/JsonText.h"

#include <nlohmann/json.hpp>

namespace {
int Usage() {
    std::fputs("usage: autorun-lint [--werror] [--json] CD_FOLDER\n", stderr);
    return 2;
}

// A finding quotes what its key holds: a language variant (Caption.CHT) is in that language's code page.
void PrintJson(const std::vector<LintFinding>& findings) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const LintFinding& f : findings) {
        const std::size_t dot = f.key.rfind('.');
        const unsigned codePage =
            AnsiCodePageOf(dot == std::string::npos ? std::string() : f.key.substr(dot + 1));
        const auto T = [codePage](const std::string& text) { return AnsiToUtf8(text, codePage); };
        out.push_back({{"path", T(f.path)},
                       {"line", f.line},
                       {"severity", f.error ? "error" : "warning"},
                       {"section", T(f.section)},
                       {"key", T(f.key)},
                       {"message", T(f.message)}});
    }
    std::printf("%s\n", out.dump(1).c_str());
}
} // namespace

int main(int argc, char** argv) {
    bool werror = false, json = false;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--werror")
            werror = true;
        else if (arg == "--json")
            json = true;
        else if (folder.empty() && !arg.empty() && arg[0] != '-')
            folder = arg;
        else
            return Usage();
    }
    if (folder.empty()) return Usage();

    CdLint lint(folder);
    std::string why;
    if (!lint.Run(why)) {
        std::fprintf(stderr, "autorun-lint: %s\n", why.c_str());
        return 2;
    }
    if (json)
        PrintJson(lint.Findings());
    else
        for (const LintFinding& f : lint.Findings())
            std::printf("%s\n", f.Text().c_str());
    return lint.HasErrors() || (werror && !lint.Findings().empty()) ? 1 : 0;
}

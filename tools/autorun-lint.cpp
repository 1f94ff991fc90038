// Checks a CD folder as Autorun.exe reads it and prints one finding per line:
//   autorun-lint [--werror] [--json] CD_FOLDER
// Exit code 0 without errors (warnings too count with --werror), 1 with, 2 when the CD cannot be
// checked at all (the reason on stderr).
#include <cstdio>
#include <string>

#include "core/CdLint.h"
#include "core/JsonText.h"

namespace {
int Usage() {
    std::fputs("usage: autorun-lint [--werror] [--json] CD_FOLDER\n", stderr);
    return 2;
}

void PrintJson(const std::vector<LintFinding>& findings) {
    std::string out = "[";
    for (const LintFinding& f : findings) {
        out += out.size() > 1 ? ",\n " : "\n ";
        out += "{\"path\": " + JsonQuote(f.path) + ", \"line\": " + std::to_string(f.line) +
               ", \"severity\": " + (f.error ? "\"error\"" : "\"warning\"") +
               ", \"section\": " + JsonQuote(f.section) + ", \"key\": " + JsonQuote(f.key) +
               ", \"message\": " + JsonQuote(f.message) + "}";
    }
    std::printf("%s\n]\n", out.c_str());
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

// Arbitrary CD folders linted: Root.ini, five page files, LiveUpdate.ini and a bitmap made from the
// input. Every parser of the program's files runs on them; the lint must finish and never fail to
// run while Root.ini is there.
#include "core/CdLint.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

// Input: the texts of the files below separated by NULs; the bitmap takes the rest, NULs and all.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kFiles[] = {"Root.ini",    "Pages/A.ini", "Pages/B.ini",    "Pages/C.ini",
                                         "Pages/D.ini", "Pages/E.ini", "LiveUpdate.ini", "bg.bmp"};
    char pattern[] = "/tmp/lint_fuzzXXXXXX";
    if (!mkdtemp(pattern)) return 0;
    const fs::path cd = pattern;
    fs::create_directory(cd / "Pages");
    const uint8_t *p = data, *end = data + size;
    for (const char* name : kFiles) {
        const uint8_t* stop = p;
        const bool last = name == kFiles[sizeof kFiles / sizeof *kFiles - 1];
        while (stop < end && (last || *stop))
            ++stop;
        std::ofstream(cd / name, std::ios::binary).write(reinterpret_cast<const char*>(p), stop - p);
        p = stop < end ? stop + 1 : end;
    }
    CdLint lint(cd.string());
    std::string why;
    if (!lint.Run(why)) __builtin_trap();
    for (const LintFinding& f : lint.Findings())
        if (f.path.empty() || f.line < 0 || f.message.empty()) __builtin_trap();
    fs::remove_all(cd);
    return 0;
}

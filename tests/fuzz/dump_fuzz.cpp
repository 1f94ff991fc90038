// Arbitrary dump files replayed, every replayed id taken apart, and arbitrary texts expanded with
// the dump's facts: no crash, no read outside a buffer.
#include "core/DevSimulation.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// Input: a text to expand, a NUL, then the dump file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* end = data + size;
    const uint8_t* p = data;
    std::string text;
    while (p < end && *p)
        text += static_cast<char>(*p++);
    if (p < end) ++p;

    char path[] = "/tmp/dump_fuzzXXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    bool written = write(fd, p, end - p) == end - p;
    close(fd);
    if (written) {
        CDevSimulation sim;
        sim.SetDumpFile(path);
        CDevList list;
        int n = sim.DetectDevices("", &list);
        if (n != static_cast<int>(list.size())) __builtin_trap();
        for (const CDevInfo& d : list)
            if (d.Ven.size() > 4 || d.Dev.size() > 4 || d.Subsys.size() > 8 || d.ClassCode.size() > 4)
                __builtin_trap();
        sim.ExpandVariables(text);
    }
    std::remove(path);
    return 0;
}

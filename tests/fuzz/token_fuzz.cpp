// ExpandVariables over any text, with the facts the value rules clean (board model, device id,
// service pack, BIOS date, DirectX version, program path) taken from the input too.
// Input: the text, then NUL-separated facts in that order; the first fact's first byte picks
// the Windows version.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "../unit/FakeSystemFacts.h"
#include "core/Token.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    parts.resize(8);

    FakeSystemFacts facts;
    const unsigned char pick = parts[1].empty() ? 0 : static_cast<unsigned char>(parts[1][0]);
    facts.os = ClassifyOs(pick & 3, 4 + (pick >> 2 & 1), pick >> 3 & 3, pick & 0x20);
    facts.wmi[{"Win32_BaseBoard", "Product"}] = parts[1];
    facts.wmi[{"Win32_VideoController", "PNPDeviceID"}] = parts[2];
    facts.wmi[{"Win32_OperatingSystem", "CSDVersion"}] = parts[3];
    facts.wmi[{"Win32_Bios", "ReleaseDate"}] = parts[4];
    facts.hasDirectXKey = true;
    facts.directXVersion = parts[5];
    facts.moduleFileName = parts[6];
    facts.hasBiosArea = true;
    facts.biosArea.assign(parts[7].begin(), parts[7].end());
    facts.biosArea.resize(0x10000);

    CToken token(facts);
    token.ExpandVariables(parts[0]);
    for (const char* name : {"MBModel", "VGAID", "WinSPVer", "BIOSDate", "DirectX", "Path"})
        token.GetVariable(name);
    return 0;
}

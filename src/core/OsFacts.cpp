#include "core/OsFacts.h"

namespace {
struct NamedOs {
    const char* name;
    bool OsFlags::*flag;
    bool nt;
};
// In the order the names win when several flags are set.
const NamedOs kNamedOs[] = {
    {"Win95", &OsFlags::IsWin95, false},      {"Win98", &OsFlags::IsWin98, false},
    {"WinME", &OsFlags::IsWinME, false},      {"Win2000", &OsFlags::IsWin2000, true},
    {"WinXP", &OsFlags::IsWinXP, true},       {"Win2003", &OsFlags::IsWin2003, true},
    {"Win2003A", &OsFlags::IsWin2003A, true}, {"WinXPA", &OsFlags::IsWinXPA, true},
};

const struct {
    unsigned id;
    const char* code;
} kLanguages[] = {
    {0x042D, "BAQ"}, {0x0403, "CAT"}, {0x0804, "CHS"}, {0x0404, "CHT"}, {0x0405, "CSY"}, {0x0406, "DAN"},
    {0x0413, "NLD"}, {0x0409, "ENU"}, {0x040B, "FIN"}, {0x0C0C, "FRC"}, {0x040C, "FRA"}, {0x0407, "DEU"},
    {0x0408, "ELL"}, {0x040E, "HUN"}, {0x0421, "IND"}, {0x0410, "ITA"}, {0x0411, "JPN"}, {0x0412, "KRN"},
    {0x0414, "NOR"}, {0x0415, "PLK"}, {0x0416, "PTB"}, {0x0816, "PTG"}, {0x0419, "RUS"}, {0x041B, "SKY"},
    {0x0424, "SLV"}, {0x080A, "ESM"}, {0x040A, "ESP"}, {0x041D, "SVE"}, {0x041E, "THA"}, {0x041F, "TUR"},
};
// Vista to 11 by version number; 6.4 is what the technical previews of Windows 10 reported, and
// Windows 11 kept 10.0 with builds from 22000 on. A version this list does not know has no name.
const char* const kModernNames[] = {"WinVista", "Win7", "Win8", "Win81", "Win10", "Win11"};

std::string ModernName(unsigned major, unsigned minor, unsigned build) {
    if (major == 6 && minor <= 4) return kModernNames[minor];
    if (major == 10 && minor == 0) return kModernNames[build >= 22000 ? 5 : 4];
    return {};
}
} // namespace

OsFlags ClassifyOs(unsigned platformId, unsigned major, unsigned minor, bool wow64, unsigned build) {
    OsFlags f;
    f.IsWow64 = wow64;
    if (platformId == kPlatformNT) {
        f.IsNT = true;
        f.IsNT6 = major >= 6;
        if (f.IsNT6) {
            f.ModernName = ModernName(major, minor, build);
            if (!f.ModernName.empty() && wow64) f.ModernName += "A";
        }
        if (major == 5) {
            f.IsWin2000 = minor == 0;
            f.IsWinXPA = minor == 1 && wow64;
            f.IsWinXP = minor == 1 && !wow64;
            f.IsWin2003A = minor >= 2 && wow64;
            f.IsWin2003 = minor >= 2 && !wow64;
        }
    } else if (platformId == kPlatformWin9x) {
        f.Is9x = true;
        f.IsWin95 = major < 4 || (major == 4 && minor == 0);
        f.IsWinME = !f.IsWin95 && minor > 50;
        f.IsWin98 = !f.IsWin95 && minor <= 50;
    }
    return f;
}

std::string OsName(const OsFlags& os, bool modernNames) {
    for (const NamedOs& n : kNamedOs)
        if (os.*n.flag) return n.name;
    return modernNames ? os.ModernName : std::string();
}

const std::vector<std::string>& OsNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const NamedOs& n : kNamedOs)
            v.push_back(n.name);
        for (const char* name : kModernNames) {
            v.push_back(name);
            v.push_back(std::string(name) + "A");
        }
        return v;
    }();
    return names;
}

OsFlags OsFlagsNamed(const std::string& name) {
    OsFlags f;
    for (const NamedOs& n : kNamedOs) {
        if (name != n.name) continue;
        f.*n.flag = true;
        (n.nt ? f.IsNT : f.Is9x) = true;
    }
    for (const char* modern : kModernNames)
        if (name == modern || name == std::string(modern) + "A") {
            f.IsNT = f.IsNT6 = true;
            f.IsWow64 = name.back() == 'A';
            f.ModernName = name;
        }
    return f;
}

std::string LanguageCode(unsigned langId) {
    for (const auto& row : kLanguages)
        if (row.id == langId) return row.code;
    return {};
}

unsigned LanguageId(const std::string& code) {
    for (const auto& row : kLanguages)
        if (code == row.code) return row.id;
    return 0;
}

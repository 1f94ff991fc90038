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
} // namespace

OsFlags ClassifyOs(unsigned platformId, unsigned major, unsigned minor, bool wow64) {
    OsFlags f;
    if (platformId == kPlatformNT) {
        f.IsNT = true;
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

std::string OsName(const OsFlags& os) {
    for (const NamedOs& n : kNamedOs)
        if (os.*n.flag) return n.name;
    return {};
}

const std::vector<std::string>& OsNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const NamedOs& n : kNamedOs)
            v.push_back(n.name);
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

#include "core/OsFacts.h"

namespace {
// Vista to 11 by version number; 6.4 is what the technical previews of Windows 10 reported, and
// Windows 11 kept 10.0 with builds from 22000 on. A version this list does not know has no name.
std::string ModernName(unsigned major, unsigned minor, unsigned build) {
    if (major == 6 && minor <= 4) {
        const char* const names[] = {"WinVista", "Win7", "Win8", "Win81", "Win10"};
        return names[minor];
    }
    if (major == 10 && minor == 0) return build >= 22000 ? "Win11" : "Win10";
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
    const std::pair<bool, const char*> order[] = {
        {os.IsWin95, "Win95"},       {os.IsWin98, "Win98"},   {os.IsWinME, "WinME"},
        {os.IsWin2000, "Win2000"},   {os.IsWinXP, "WinXP"},   {os.IsWin2003, "Win2003"},
        {os.IsWin2003A, "Win2003A"}, {os.IsWinXPA, "WinXPA"},
    };
    for (const auto& o : order)
        if (o.first) return o.second;
    return modernNames ? os.ModernName : std::string();
}

std::string LanguageCode(unsigned langId) {
    static const struct {
        unsigned id;
        const char* code;
    } kTable[] = {
        {0x042D, "BAQ"}, {0x0403, "CAT"}, {0x0804, "CHS"}, {0x0404, "CHT"}, {0x0405, "CSY"}, {0x0406, "DAN"},
        {0x0413, "NLD"}, {0x0409, "ENU"}, {0x040B, "FIN"}, {0x0C0C, "FRC"}, {0x040C, "FRA"}, {0x0407, "DEU"},
        {0x0408, "ELL"}, {0x040E, "HUN"}, {0x0421, "IND"}, {0x0410, "ITA"}, {0x0411, "JPN"}, {0x0412, "KRN"},
        {0x0414, "NOR"}, {0x0415, "PLK"}, {0x0416, "PTB"}, {0x0816, "PTG"}, {0x0419, "RUS"}, {0x041B, "SKY"},
        {0x0424, "SLV"}, {0x080A, "ESM"}, {0x040A, "ESP"}, {0x041D, "SVE"}, {0x041E, "THA"}, {0x041F, "TUR"},
    };
    for (const auto& row : kTable)
        if (row.id == langId) return row.code;
    return {};
}

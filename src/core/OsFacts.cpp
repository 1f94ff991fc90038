#include "core/OsFacts.h"

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

#pragma once
#include <string>
#include <vector>

// Classification of the running Windows version (the flags callers ask by name).
struct OsFlags {
    bool Is9x = false, IsWin95 = false, IsWin98 = false, IsWinME = false, IsNT = false;
    bool IsWin2000 = false, IsWinXP = false, IsWin2003 = false, IsWinXPA = false, IsWin2003A = false;
    // Windows Vista and later: no flag above, a name only for CDs that ask for one.
    bool IsNT6 = false;
    bool IsWow64 = false;
    std::string ModernName; // "WinVista" ... "Win11", "A" added for a 64-bit Windows; "" when unknown
};

// Platform ids of the Windows version record.
const unsigned kPlatformWin9x = 1;
const unsigned kPlatformNT = 2;

// The flags for a version record's platform id, major and minor version, and whether the
// program runs under WOW64. Only the 5.x NT line and the 9x line get a version flag; the build
// number tells Windows 11 from 10.
OsFlags ClassifyOs(unsigned platformId, unsigned major, unsigned minor, bool wow64, unsigned build = 0);

// The name a system goes by in INI files (the variable DetectOS): the first flag set of Win95, Win98,
// WinME, Win2000, WinXP, Win2003, Win2003A, WinXPA; with `modernNames` (the CD's
// DetectModernWindows=YES) the names of Vista and later too; "" for a system the program does not know.
std::string OsName(const OsFlags& os, bool modernNames = false);
// Every name OsName gives, in that order, the modern ones last.
const std::vector<std::string>& OsNames();
// The flags of a system known by its name (no version flag for an unknown name).
OsFlags OsFlagsNamed(const std::string& name);

// The three-letter code of a user's default language (all 16 bits of the LANGID count),
// or "" for a language the CDs have no texts for.
std::string LanguageCode(unsigned langId);
// The language id of a code LanguageCode gives, or 0 for any other text.
unsigned LanguageId(const std::string& code);

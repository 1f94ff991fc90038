#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <regex>
#include <vector>

#include "core/SystemFacts.h"
#include "core/Token.h"
#include "win32/OS.h"
#include "win32/Win32SystemFacts.h"

// Real facts under Wine. The same program runs in prefixes set to different Windows versions;
// it reads which one from the prefix itself.
namespace {
std::string PrefixVersion() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) return "win7";
    char value[64] = "";
    DWORD size = sizeof value - 1, type = 0;
    const LONG rc = RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : std::string("win7");
}

bool Matches(const std::string& text, const char* pattern) {
    return std::regex_match(text, std::regex(pattern));
}

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

class TokenWin : public ::testing::Test {
  protected:
    CToken token;
    std::string Var(const char* name) { return token.GetVariable(name); }
    bool Is9xPrefix() { return PrefixVersion() == "win98"; }
};

TEST_F(TokenWin, VersionFlagsFollowThePrefix) {
    const std::string version = PrefixVersion();
    COS os;
    EXPECT_FALSE(COS::IsWow64()); // a 64-bit program
    if (version == "winxp") {
        EXPECT_TRUE(os.IsNT() && os.IsWinXP());
        EXPECT_EQ("WinXP", Var("DetectOS"));
    } else if (version == "win2003") {
        EXPECT_TRUE(os.IsNT() && os.IsWin2003() && !os.IsWin2003A());
        EXPECT_EQ("Win2003", Var("DetectOS"));
    } else if (version == "win98") {
        EXPECT_TRUE(os.Is9x() && os.IsWin98() && !os.IsNT());
        EXPECT_EQ("Win98", Var("DetectOS"));
    } else {
        ADD_FAILURE() << "prefix version " << version << " is not one this test knows";
    }
}

TEST_F(TokenWin, PathIsTheProgramsFolder) {
    char module[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
    const std::string path = Var("Path");
    ASSERT_FALSE(path.empty());
    EXPECT_NE('\\', path.back());
    EXPECT_TRUE(IsFolder(path)) << path;
    const std::string name = std::string(module).substr(path.size());
    EXPECT_TRUE(Matches(name, R"(\\[^\\]+\.exe)")) << module << " in " << path;
    EXPECT_EQ(path + "\\Root.ini", token.ExpandVariables("<Path>\\Root.ini"));
}

TEST_F(TokenWin, FoldersExist) {
    for (const char* name : {"WinDir", "WinSystem"})
        EXPECT_TRUE(IsFolder(Var(name))) << name << " " << Var(name);
}

// The shell folders by their names in shlobj.h, and the plain facts: what Windows itself answers.
TEST_F(TokenWin, FoldersAndNamesAreWindowsOwnAnswers) {
    const struct {
        const char* name;
        int csidl;
    } folders[] = {
        {"WinTemp", CSIDL_TEMPLATES},  {"WinSystem", CSIDL_SYSTEM},      {"WinProgram", CSIDL_PROGRAM_FILES},
        {"WinDesktop", CSIDL_DESKTOP}, {"WinPicture", CSIDL_MYPICTURES}, {"WinMusic", CSIDL_MYMUSIC},
    };
    for (const auto& f : folders) {
        char path[MAX_PATH] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, f.csidl, FALSE)) << f.name;
        EXPECT_EQ(path, Var(f.name)) << f.name;
    }
    char text[MAX_PATH] = "";
    ASSERT_GT(GetWindowsDirectoryA(text, MAX_PATH), 0u);
    EXPECT_EQ(text, Var("WinDir"));
    DWORD size = sizeof text;
    ASSERT_TRUE(GetComputerNameA(text, &size));
    EXPECT_EQ(text, Var("ComputerName"));
    size = sizeof text;
    ASSERT_TRUE(GetUserNameA(text, &size));
    EXPECT_EQ(text, Var("UserName"));
}

TEST_F(TokenWin, FactsHaveTheirShapes) {
    const struct {
        const char* name;
        const char* pattern;
    } shapes[] = {
        {"Resolution", R"([1-9]\d*x[1-9]\d*)"},
        {"BitPixel", R"(\d*)"},
        {"SysDate", R"((1[0-2]|[1-9])/([1-3]\d|[1-9])/20\d\d)"},
        {"SysTime", R"((1\d|2[0-3]|\d):[1-5]?\d:[1-5]?\d)"},
        {"TickCount", R"(-?\d+)"},
        {"Lang", R"(([A-Z]{3})?)"},
        {"IEVer", R"(\d+\.\d+|Error|)"},
        {"IPAddr", R"((\d+\.\d+\.\d+\.\d+)?)"},
        {"DirectX", R"(.+)"},
    };
    for (const auto& s : shapes)
        EXPECT_TRUE(Matches(Var(s.name), s.pattern)) << s.name << " = " << Var(s.name);
    EXPECT_EQ(COS().GetLanguageCode(), Var("Lang"));
}

// Wine's WMI describes its own virtual machine; its BIOS area is not mapped, so the 9x path
// finds no DMI table and leaves the board and BIOS facts empty.
TEST_F(TokenWin, BoardAndBiosFacts) {
    std::string dmi = "untouched";
    EXPECT_FALSE(token.ReadDMI("MBModel", dmi));
    EXPECT_EQ("untouched", dmi);
    if (Is9xPrefix()) {
        for (const char* name : {"MBModel", "BIOSProvider", "BIOSDate", "VGAID", "WinSPVer"})
            EXPECT_EQ("", Var(name)) << name;
        return;
    }
    EXPECT_EQ("Base Board", Var("MBModel"));
    EXPECT_EQ("The Wine Project", Var("BIOSProvider"));
    EXPECT_TRUE(Matches(Var("BIOSDate"), R"(\d\d/\d\d/\d{4})")) << Var("BIOSDate");
    EXPECT_TRUE(Matches(Var("WinSPVer"), R"(SP.*)")) << Var("WinSPVer");
    EXPECT_TRUE(Matches(Var("VGAID"), R"((SUBSYS_\w+)?)")) << Var("VGAID");
}

TEST_F(TokenWin, SyntaxErrorSetsTheThreadsLastError) {
    SetLastError(0);
    EXPECT_EQ("a", token.ExpandVariables("a<b"));
    EXPECT_EQ(10000u, GetLastError());
}

TEST_F(TokenWin, WinesTokenHoldsTheAdministrators) {
    EXPECT_TRUE(token.IsAdministrator());
}

// An administrator in 200 groups, the Administrators group last: the whole list is read, however
// long; without that group the answer is no.
TEST(Administrators, ManyGroupsAreReadWhole) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    std::vector<PSID> sids(200);
    for (DWORD i = 0; i < sids.size(); ++i) {
        const DWORD rid = i + 1 == sids.size() ? DOMAIN_ALIAS_RID_ADMINS : 1000 + i;
        ASSERT_TRUE(
            AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sids[i]));
    }
    for (const DWORD count : {DWORD(200), DWORD(199)}) {
        std::vector<BYTE> groups(offsetof(TOKEN_GROUPS, Groups) + count * sizeof(SID_AND_ATTRIBUTES));
        auto* list = reinterpret_cast<TOKEN_GROUPS*>(groups.data());
        list->GroupCount = count;
        for (DWORD i = 0; i < count; ++i)
            list->Groups[i] = {sids[i], SE_GROUP_ENABLED};
        const bool admin = GroupsHoldAdministrators([&groups](void* buffer, DWORD size, DWORD* needed) {
            *needed = DWORD(groups.size());
            if (size < groups.size()) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return FALSE;
            }
            std::memcpy(buffer, groups.data(), groups.size());
            return TRUE;
        });
        EXPECT_EQ(count == 200, admin) << count;
    }
    for (PSID sid : sids)
        FreeSid(sid);
}
} // namespace

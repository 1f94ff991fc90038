#include "core/Token.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/DmiTable.h"
#include "core/IniFile.h"
#include "core/MenuModel.h"
#include "core/SystemFacts.h"
#include "core/TextCompare.h"

namespace {
const unsigned kSyntaxError = 10000;
const std::uint32_t kBiosAreaBase = 0xF0000;

std::string Dmi(CToken& t, const char* item) {
    std::string value;
    t.ReadDMI(item, value);
    return value;
}

// Drive and directory of the program's path, without one trailing separator ("D:\" gives "D:").
std::string ProgramFolder(const std::string& module) {
    std::string folder;
    const auto slash = module.find_last_of("\\/");
    if (slash != std::string::npos)
        folder = module.substr(0, slash + 1);
    else if (module.size() >= 2 && module[1] == ':')
        folder = module.substr(0, 2);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

// Windows Vista and later are named only for a CD that asks for it: a CD made for 95 to 2003 shows on
// them what it always showed.
std::string DetectOs(CToken&, SystemFacts& f) {
    const OsFlags os = f.Os();
    const std::string name = OsName(os, true);
    return name.empty() || !os.IsNT6 || f.NamesModernWindows() ? name : std::string();
}

void TrimRight(std::string& s, const char* blanks) {
    s.erase(s.find_last_not_of(blanks) + 1);
}

void TrimLeft(std::string& s, const char* blanks) {
    s.erase(0, s.find_first_not_of(blanks));
}

std::string BoardModel(CToken& t, SystemFacts& f) {
    std::string m = f.Os().Is9x ? Dmi(t, "MBModel") : t.QueryWMI("Win32_BaseBoard", "Product");
    m = m.substr(0, m.find('('));
    if (m.find("//") != std::string::npos)
        for (char& c : m)
            if (c == '/') c = '_';
    TrimRight(m, " ");
    TrimLeft(m, " ");
    return m;
}

// The "SUBSYS_..." part of the adapter's device id, up to "&REV"; cut like a string slice whose
// negative start or length counts as 0.
std::string DisplayAdapterId(CToken& t, SystemFacts& f) {
    if (f.Os().Is9x) return {};
    const std::string id = t.QueryWMI("Win32_VideoController", "PNPDeviceID");
    const auto s = static_cast<std::ptrdiff_t>(id.find("SUBSYS"));
    const auto r = static_cast<std::ptrdiff_t>(id.find("&REV"));
    const std::ptrdiff_t start = s < 0 ? 0 : s;
    const std::ptrdiff_t length = r - s < 0 ? 0 : r - s;
    return id.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

std::string ServicePack(CToken& t, SystemFacts& f) {
    if (f.Os().Is9x) return {};
    std::string text = t.QueryWMI("Win32_OperatingSystem", "CSDVersion");
    if (text.empty()) return {};
    const std::string word = "Service Pack";
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at))
        text.erase(at, word.size());
    TrimRight(text, " \t\r\n\v\f");
    TrimLeft(text, " \t\r\n\v\f");
    return "SP" + text;
}

std::string BiosProvider(CToken& t, SystemFacts& f) {
    return f.Os().Is9x ? Dmi(t, "BIOSProvider") : t.QueryWMI("Win32_Bios", "Manufacturer");
}

// WMI gives yyyymmdd...; shown as mm/dd/yyyy. Windows 2000 before SP3 reports the year 100 short.
std::string BiosDate(CToken& t, SystemFacts& f) {
    const OsFlags os = f.Os();
    if (os.Is9x) return Dmi(t, "BIOSDate");
    const std::string text = t.QueryWMI("Win32_Bios", "ReleaseDate");
    if (text.empty()) return {};
    std::string year = text.substr(0, 4);
    const std::string month = text.substr(std::min<std::size_t>(4, text.size()), 2);
    const std::string day = text.substr(std::min<std::size_t>(6, text.size()), 2);
    if (os.IsWin2000) {
        const std::string sp = t.GetVariable("WinSPVer");
        if (sp.empty() || sp == "SP1" || sp == "SP2") {
            int number = 0;
            for (std::size_t i = 0; i < year.size() && year[i] >= '0' && year[i] <= '9'; ++i)
                number = number * 10 + (year[i] - '0');
            year = std::to_string(number + 100);
        }
    }
    return month + "/" + day + "/" + year;
}

std::string DirectXRelease(CToken&, SystemFacts& f) {
    std::string v;
    if (!f.DirectXVersion(v)) return {};
    const auto has = [&v](const char* part) { return v.find(part) != std::string::npos; };
    if (has("4.05")) return "5.0";
    if (has("4.06")) return "6.0";
    if (has("4.07")) return "7.0";
    if (v == "4.08.01.0810" || v == "4.08.01.0881") return "8.1";
    if (v == "4.08.01.0901") return "8.1a";
    if (v == "4.08.02.0134") return "8.2";
    if (has("4.08")) return "8.0";
    if (v == "4.09.00.0900") return "9.0";
    if (v == "4.09.00.0901") return "9.0a";
    if (v == "4.09.00.0902") return "9.0b";
    return v;
}

std::string BrowserVersion(CToken&, SystemFacts& f) {
    long major = 0, minor = 0;
    switch (f.BrowserVersion(major, minor)) {
    case SystemFacts::IeState::NotLoaded:
        return {};
    case SystemFacts::IeState::NoVersion:
        return "Error";
    case SystemFacts::IeState::Ok:
        break;
    }
    return std::to_string(major) + "." + std::to_string(minor);
}

std::string BitsPerPixel(CToken&, SystemFacts& f) {
    long bpp = 0;
    return f.BitsPerPixel(bpp) ? std::to_string(bpp) : std::string();
}

std::string SysDate(CToken&, SystemFacts& f) {
    const LocalTime n = f.Now();
    return std::to_string(n.month) + "/" + std::to_string(n.day) + "/" + std::to_string(n.year);
}

std::string SysTime(CToken&, SystemFacts& f) {
    const LocalTime n = f.Now();
    return std::to_string(n.hour) + ":" + std::to_string(n.minute) + ":" + std::to_string(n.second);
}

// The variables by name, each with the rule that computes its value.
using Rule = std::string (*)(CToken&, SystemFacts&);
const std::pair<const char*, Rule> kVariables[] = {
    {"WinDir", [](CToken&, SystemFacts& f) { return f.WindowsDirectory(); }},
    {"Path", [](CToken&, SystemFacts& f) { return ProgramFolder(f.ModuleFileName()); }},
    {"Lang", [](CToken&, SystemFacts& f) { return LanguageCode(f.UserDefaultLangId()); }},
    {"DetectOS", DetectOs},
    {"MBModel", BoardModel},
    {"VGAID", DisplayAdapterId},
    {"WinSPVer", ServicePack},
    {"BIOSProvider", BiosProvider},
    {"BIOSDate", BiosDate},
    {"WinTemp", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x15); }},
    {"WinSystem", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x25); }},
    {"WinProgram", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x26); }},
    {"WinDesktop", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x00); }},
    {"WinPicture", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x27); }},
    {"WinMusic", [](CToken&, SystemFacts& f) { return f.ShellFolder(0x0D); }},
    {"Resolution",
     [](CToken&, SystemFacts& f) {
         return std::to_string(f.ScreenWidth()) + "x" + std::to_string(f.ScreenHeight());
     }},
    {"BitPixel", BitsPerPixel},
    {"DirectX", DirectXRelease},
    {"IEVer", BrowserVersion},
    {"IPAddr", [](CToken&, SystemFacts& f) { return f.IpAddress(); }},
    {"ComputerName", [](CToken&, SystemFacts& f) { return f.ComputerName(); }},
    {"UserName", [](CToken&, SystemFacts& f) { return f.UserName(); }},
    // Signed, as the program always showed it: negative after about 24.8 days of uptime.
    {"TickCount",
     [](CToken&, SystemFacts& f) { return std::to_string(static_cast<std::int32_t>(f.TickCount())); }},
    {"SysDate", SysDate},
    {"SysTime", SysTime},
};
} // namespace

bool SystemFacts::NamesModernWindows() {
    const CIniFile root(RootIniPath(ProgramFolder(ModuleFileName())));
    return EqualsNoCase(root.GetString("Root", "DetectModernWindows", ""), "YES");
}

CToken::CToken() : m_facts(DefaultSystemFacts()) {}
CToken::CToken(SystemFacts& facts) : m_facts(facts) {}

std::string CToken::GetVariable(const std::string& name) {
    for (const auto& v : kVariables)
        if (name == v.first) return v.second(*this, m_facts);
    return {};
}

bool CToken::IsVariable(const std::string& name) {
    for (const auto& v : kVariables)
        if (name == v.first) return true;
    return false;
}

// On a syntax error the text built so far is the answer and the thread's last error says why.
std::string CToken::ExpandVariables(const std::string& text) {
    std::vector<TextPiece> pieces;
    const bool ok = SplitReferences(text, pieces);
    std::string result;
    for (const TextPiece& p : pieces)
        result += p.reference ? GetVariable(p.text) : p.text;
    if (!ok) m_facts.SetLastError(kSyntaxError);
    return result;
}

// One pass, at most one open reference, no escapes and no nesting.
bool CToken::SplitReferences(const std::string& text, std::vector<TextPiece>& pieces) {
    pieces.clear();
    std::string run, name;
    bool open = false;
    for (char c : text) {
        if (c == '<') {
            if (open) break;
            open = true;
            name.clear();
            if (!run.empty()) pieces.push_back({false, run});
            run.clear();
        } else if (c == '>') {
            if (!open) {
                if (!run.empty()) pieces.push_back({false, run});
                return false;
            }
            pieces.push_back({true, name});
            open = false;
        } else {
            (open ? name : run) += c;
        }
    }
    if (!run.empty() && !open) pieces.push_back({false, run});
    return !open;
}

bool CToken::IsAdministrator() {
    return m_facts.IsAdministrator();
}

std::string CToken::QueryWMI(const std::string& className, const std::string& property) {
    return m_facts.QueryWMI(className, property);
}

bool CToken::ReadDMI(const std::string& item, std::string& value) {
    std::vector<std::uint8_t> area;
    DmiStrings strings;
    if (!m_facts.ReadBiosArea(area) || !ParseDmiArea(area.data(), area.size(), kBiosAreaBase, strings))
        return false;
    if (item == "MBModel")
        value = strings.BoardProduct;
    else if (item == "BIOSProvider")
        value = strings.BiosVendor;
    else if (item == "BIOSDate")
        value = strings.BiosDate;
    else
        value.clear();
    return true;
}

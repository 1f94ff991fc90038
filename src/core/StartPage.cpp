#include "core/StartPage.h"

#include "core/IniFile.h"

namespace {
// Folds ASCII letters only: in a double-byte code page a byte above 0x7F may be half of a
// character, and an ASCII byte before it always ends one, so a prefix of ASCII letters can be
// compared byte by byte without splitting a character.
char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// `lowerPrefix` is written in lower case.
bool StartsWithNoCase(const std::string& text, const std::string& lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i)
        if (LowerAscii(text[i]) != lowerPrefix[i]) return false;
    return true;
}
} // namespace

std::string ReadStartWindow(const CIniFile& root) {
    return root.GetString("Root", "StartWindow", "Normal");
}

bool WantsStartWindow(const std::string& startWindow) {
    return !(startWindow.size() == 6 && StartsWithNoCase(startWindow, "normal"));
}

std::string StartPageAddress(const std::string& startWindow, const std::string& path) {
    static const std::string kPath = "<Path>";
    std::string address;
    size_t from = 0;
    for (size_t at; (at = startWindow.find(kPath, from)) != std::string::npos; from = at + kPath.size())
        address.append(startWindow, from, at - from).append(path);
    return address.append(startWindow, from, std::string::npos);
}

bool IsAppAddress(const std::string& address, std::string& command) {
    static const std::string kApp = "app:";
    if (!StartsWithNoCase(address, kApp)) return false;
    command = address.substr(kApp.size());
    return true;
}

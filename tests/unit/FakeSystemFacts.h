#pragma once
#include <map>
#include <utility>

#include "core/SystemFacts.h"

// Facts set by the test; a WMI query without an answer counts as no connection ("").
class FakeSystemFacts : public SystemFacts {
  public:
    std::string windowsDirectory, moduleFileName;
    OsFlags os;
    unsigned langId = 0;
    std::map<std::pair<std::string, std::string>, std::string> wmi;
    bool hasBiosArea = false;
    std::vector<std::uint8_t> biosArea;
    std::map<int, std::string> shellFolders;
    int screenWidth = 0, screenHeight = 0;
    bool hasBitsPerPixel = false;
    long bitsPerPixel = 0;
    bool hasDirectXKey = false;
    std::string directXVersion;
    IeState ieState = IeState::NotLoaded;
    long ieMajor = 0, ieMinor = 0;
    std::string ipAddress, computerName, userName;
    std::uint32_t tickCount = 0;
    LocalTime now;
    unsigned lastError = 0;
    bool administrator = false;
    int wmiQueries = 0;

    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string ModuleFileName() override { return moduleFileName; }
    OsFlags Os() override { return os; }
    unsigned UserDefaultLangId() override { return langId; }
    std::string QueryWMI(const std::string& className, const std::string& property) override {
        ++wmiQueries;
        const auto it = wmi.find({className, property});
        return it == wmi.end() ? std::string() : it->second;
    }
    bool ReadBiosArea(std::vector<std::uint8_t>& area) override {
        if (hasBiosArea) area = biosArea;
        return hasBiosArea;
    }
    std::string ShellFolder(int csidl) override { return shellFolders[csidl]; }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    bool BitsPerPixel(long& bpp) override {
        bpp = bitsPerPixel;
        return hasBitsPerPixel;
    }
    bool DirectXVersion(std::string& version) override {
        version = directXVersion;
        return hasDirectXKey;
    }
    IeState BrowserVersion(long& major, long& minor) override {
        major = ieMajor;
        minor = ieMinor;
        return ieState;
    }
    std::string IpAddress() override { return ipAddress; }
    std::string ComputerName() override { return computerName; }
    std::string UserName() override { return userName; }
    std::uint32_t TickCount() override { return tickCount; }
    LocalTime Now() override { return now; }
    void SetLastError(unsigned code) override { lastError = code; }
    bool IsAdministrator() override { return administrator; }
};

// The sample CD's stand-in driver installer: installs something harmless, as a real one would
// install a driver. Setup.ini beside it names the component; the installer copies that file to
// %WINDIR%\VORN\<Name>.ini, records HKLM\Software\VORN\Drivers <Name> = <Version> and says so on its
// output, the last line without a line end as many installers leave it.
#include <windows.h>

#include <string>

namespace {
void Say(const std::string& text) {
    DWORD done = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
}

std::string Read(const std::string& ini, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA("Setup", key, "", value, sizeof(value), ini.c_str());
    return value;
}
} // namespace

int main() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder.erase(folder.rfind('\\') + 1);
    const std::string ini = folder + "Setup.ini";
    const std::string name = Read(ini, "Name"), version = Read(ini, "Version");
    if (name.empty()) {
        Say("Nothing to install: no Setup.ini beside the installer\r\n");
        return 2;
    }
    Say("Installing " + name + " " + version + "\r\n");

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string target = std::string(windows) + "\\VORN";
    CreateDirectoryA(target.c_str(), nullptr);
    const std::string copy = target + "\\" + name + ".ini";
    if (!CopyFileA(ini.c_str(), copy.c_str(), FALSE)) {
        Say("Cannot copy to " + copy + "\r\n");
        return 1;
    }
    Say("Copied " + copy + "\r\n");

    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\VORN\\Drivers", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        Say("Cannot record the version\r\n");
        return 1;
    }
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    Sleep(1500); // long enough to watch the progress text
    Say(name + " installed");
    return 0;
}

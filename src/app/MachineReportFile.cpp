#include "app/MachineReportFile.h"

#include "app/AutorunDoc.h"
#include "app/Messages.h"
#include "core/BackgroundChoice.h"
#include "core/IniFile.h"
#include "core/MachineReport.h"
#include "core/Token.h"
#include "win32/Scoped.h"

namespace {
// Wine's ntdll exports its version; Windows' does not.
bool RunsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
} // namespace

bool WriteMachineReportFile(CAutorunDoc& doc, const std::string& path, bool replayed, std::string& why) {
    CDevInfoCtrl& detect = *doc.Detect();
    MachineReport r;
    detect.GetSWInfo(&r.machine);
    // A replayed dump records no more than its three facts.
    if (!replayed) {
        CToken token;
        r.wine = RunsOnWine();
        r.biosProvider = token.GetVariable("BIOSProvider");
        r.biosDate = token.GetVariable("BIOSDate");
    }
    detect.DetectDevices("", &r.devices);
    RemoveDuplicateDevices(r.devices);
    const CIniFile root(doc.m_strRootIni);
    r.menu = BuildMenuModel(root, r.devices, r.machine.Lang);
    r.background = ChooseBackground(root, r.devices);
    CToken token;
    const CIniFile live(token.GetVariable("Path") + "\\LiveUpdate.ini");
    for (const TabModel& tab : r.menu.tabs)
        r.pages.push_back(
            BuildCdPage(tab, CIniFile(tab.file), r.devices, detect, live, token.GetVariable("Lang")));

    const std::string text = MachineReportJson(r, 0).dump(1) + "\n";
    const CHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr) ||
        written != text.size()) {
        why = "cannot write the report " + path + ": " + SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

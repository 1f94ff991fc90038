#include "app/MachineReportFile.h"

#include "app/AutorunDoc.h"
#include "app/Messages.h"
#include "core/IniFile.h"
#include "core/Token.h"
#include "win32/Scoped.h"

namespace {
// Wine's ntdll exports its version; Windows' does not.
bool RunsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
} // namespace

MachineReport BuildDocumentReport(CAutorunDoc& doc) {
    CDevInfoCtrl& detect = *doc.Detect();
    CToken token;
    // The live start page follows the user's language, not the detected machine's.
    const CIniFile live(token.GetVariable("Path") + "\\LiveUpdate.ini");
    const std::string userLang = token.GetVariable("Lang");
    return BuildMachineReport(
        detect, CIniFile(doc.m_strRootIni), [&](const TabModel& tab, const CDevList& devices) {
            return BuildCdPage(tab, CIniFile(tab.file), devices, detect, live, userLang);
        });
}

bool WriteMachineReportFile(CAutorunDoc& doc, const std::string& path, bool replayed, std::string& why) {
    MachineReport r = BuildDocumentReport(doc);
    if (!replayed) {
        CToken token;
        r.wine = RunsOnWine();
        r.biosProvider = token.GetVariable("BIOSProvider");
        r.biosDate = token.GetVariable("BIOSDate");
    }
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

#include "app/LiveUpdateListPage.h"

#include <windows.h>

#include "app/FTPManipDlg.h"
#include "core/IniFile.h"
#include "core/LiveUpdateRules.h"
#include "core/Token.h"
#include "win32/LiveFolder.h"

CLiveUpdateListPage::CLiveUpdateListPage(std::string liveUpdateIni)
    : m_strLiveUpdateIni(liveUpdateIni.empty() ? CToken().ExpandVariables("<Path>") + "\\LiveUpdate.ini"
                                               : std::move(liveUpdateIni)) {}

std::string CLiveUpdateListPage::FindModelFolder(const CDevList& devices, const std::string& modelMap) const {
    CIniFile map(modelMap);
    return LiveUpdate::ModelFolder(
        devices, [&](const std::string& id) { return map.GetString("MODELMAP", id, "NULL"); });
}

BOOL CLiveUpdateListPage::LoadLists(const CDevList& devices) {
    std::string live = LiveFolderPath();
    if (live.empty()) return FALSE;
    CreateDirectoryA(live.c_str(), nullptr);
    CIniFile ini(m_strLiveUpdateIni);
    CFTPManipDlg ftp;
    if (!ftp.Connect(ini.GetString("FTP SITE", "IP", ""), ini.GetString("FTP SITE", "ID", ""),
                     ini.GetString("FTP SITE", "PASSWORD", ""),
                     static_cast<INTERNET_PORT>(ini.GetInt("FTP SITE", "PORT", 0))))
        return FALSE;
    std::string root = ini.GetString("FTP SITE", "ROOT DIR", "");
    if (!ftp.DownloadFile(ftp.GetRemoteDirectory() + root + "modelmap.ini", live + "modelmap.ini", 0, TRUE))
        return FALSE;
    m_strModel = FindModelFolder(devices, live + "modelmap.ini");
    if (!ftp.DownloadFile(ftp.GetRemoteDirectory() + root + m_strModel + "\\drivers\\drivers.ini",
                          live + "drivers.ini", 0, TRUE))
        return FALSE;
    ftp.Close();
    return TRUE;
}

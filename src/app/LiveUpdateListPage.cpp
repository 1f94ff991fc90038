#include "app/LiveUpdateListPage.h"

#include <windows.h>

#include "app/FTPManipDlg.h"
#include "app/Skin.h"
#include "core/IniFile.h"
#include "core/LiveUpdateRules.h"
#include "core/PageModel.h"
#include "core/SectionNames.h"
#include "core/Token.h"
#include "ui/TipHost.h"
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
    const LiveUpdate::FtpSite site = LiveUpdate::ReadFtpSite(CIniFile(m_strLiveUpdateIni), "FTP SITE");
    CFTPManipDlg ftp;
    if (!ftp.ConnectWithDialog(site.host, site.user, site.password, static_cast<INTERNET_PORT>(site.port)))
        return FALSE;
    CFTPManip& session = ftp.Session();
    const std::string& root = site.rootDir;
    if (!ftp.DownloadFileWithDialog(session.GetRemoteDirectory() + root + "modelmap.ini",
                                    live + "modelmap.ini", FtpTransferType::ByName, TRUE))
        return FALSE;
    m_strModel = FindModelFolder(devices, live + "modelmap.ini");
    if (!ftp.DownloadFileWithDialog(session.GetRemoteDirectory() + root + m_strModel +
                                        "\\drivers\\drivers.ini",
                                    live + "drivers.ini", FtpTransferType::ByName, TRUE))
        return FALSE;
    session.Close();
    return TRUE;
}

std::unique_ptr<CExecBtn> CLiveUpdateListPage::CreateButton(const std::string& section,
                                                            const CIniFile& drivers, HWND parent, UINT id,
                                                            int n) {
    const std::string lang = CToken().ExpandVariables("<Lang>");
    std::string caption = drivers.GetValue(section, "Caption." + lang, "");
    if (caption.empty()) caption = drivers.GetValue(section, "Caption", "");
    std::string file = drivers.GetValue(section, "File." + lang, "");
    if (file.empty()) file = LiveUpdate::WithModel(drivers.GetString(section, "File", ""), m_strModel);

    auto button = std::make_unique<CExecBtn>(caption, "", file, TipStyleOn(parent));
    button->Create(caption.c_str(), ToWinRect(PageColumn::Slot(n)), parent, id);
    button->SetTransparent(FALSE);
    return button;
}

void CLiveUpdateListPage::BuildPage(HWND parent, int tabId, const CDevList& devices) {
    m_pParent = parent;
    CIniFile drivers(LiveFolderPath() + "Drivers.ini");
    const CSectionNames sections(drivers);
    const std::string lang = CToken().ExpandVariables("<Lang>");
    const std::string os = CToken().ExpandVariables("<DetectOS>");

    std::vector<LiveUpdate::ButtonPlan> plans =
        LiveUpdate::PlanButtons(devices, os, sections.List(), [&](const std::string& s) {
            return sections.MayHave(s) && !drivers.GetString(s, "Type", "").empty();
        });
    // Ids and first places follow device order; the plan is already in position order.
    for (const LiveUpdate::ButtonPlan& plan : plans) {
        const std::string& s = plan.section;
        const UINT id = UINT(PageColumn::ButtonId(tabId, plan.index));
        auto button = CreateButton(s, drivers, parent, id, plan.index);
        button->LocalSubfolder = plan.device->VenDevSubsys;
        button->CurrentVer = plan.device->DriverVersion;
        button->CurrentDate = plan.device->DriverDate;
        button->CurrentProvider = plan.device->ProviderName;
        button->Ver = drivers.GetString(s, "Ver", "");
        button->Date = drivers.GetString(s, "Date", "");
        button->Provider = drivers.GetString(s, "Provider", "");
        button->TipMode = drivers.GetString(s, "TipMode", "");
        button->ChangeCurrDir = drivers.GetInt(s, "ChangeCurrDir", 0);
        button->Note = drivers.GetString(s, "Note." + lang, drivers.GetString(s, "Note", ""));
        button->IniType = PageTypeNameOf(PageType::Liveupdate);
        button->Behavior = LiveUpdate::BehaviorAction(drivers.GetString(s, "Behavior", ""));
        button->Hashes = LiveUpdate::SectionHashes(
            [&](const std::string& key) { return drivers.GetString(s, key, LiveUpdate::kNoValue); });
        m_buttons.push_back(std::move(button));
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const Rect r = PageColumn::Slot(int(i));
        SetWindowPos(m_buttons[i]->m_hWnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW);
    }
}

void CLiveUpdateListPage::HideAll() {
    for (auto& b : m_buttons)
        ShowWindow(b->m_hWnd, SW_HIDE);
}

void CLiveUpdateListPage::ShowAll() {
    for (auto& b : m_buttons)
        ShowWindow(b->m_hWnd, SW_SHOW);
}

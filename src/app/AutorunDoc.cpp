#include "app/AutorunDoc.h"

#include "app/LiveUpdateListPage.h"
#include "app/Messages.h"
#include "app/SingleInstallBtn.h"
#include "app/Skin.h"
#include "app/TabBtn.h"
#include "core/IniFile.h"
#include "core/Token.h"
#include "core/WindowLayout.h"
#include "res/resource.h"
#include "ui/WaitMsgDlg.h"
#include "win32/FileManip.h"
#include "win32/LiveFolder.h"
#include "win32/OS.h"
#include "win32/Shell.h"

namespace {
const int kLastRoutedTabId = kFirstTabId + 8; // a tenth tab is drawn but not selectable

std::unique_ptr<CBtnST> NewFixedButton(const FixedButtonModel& model, HWND parent, UINT icon) {
    auto button = std::make_unique<CBtnST>();
    button->Create(model.caption.c_str(), WS_CHILD | WS_VISIBLE | BS_LEFT, ToWinRect(model.rect), parent,
                   model.id);
    SetMenuButtonLook(*button);
    if (icon) button->SetImageIcon(icon);
    return button;
}

} // namespace

CAutorunDoc::CAutorunDoc() : m_strRootIni(RootIniPath(CToken().GetVariable("Path"))) {}

bool CAutorunDoc::AdmitUser() const {
    if (!COS().IsNT() || CToken().IsAdministrator()) return true;
    ShowMessage(Message::NotAdministrator);
    return false;
}

CAutorunDoc::~CAutorunDoc() = default;

void CAutorunDoc::BuildMenu(HWND parent) {
    CreateFixedButtons(CreateTabs(parent), parent);
    SelectTab(kFirstTabId);
}

MenuModel CAutorunDoc::CreateTabs(HWND parent) {
    SWInfo info;
    if (m_pDetect) {
        m_pDetect->DetectDevices("", &m_devices);
        m_pDetect->GetSWInfo(&info);
    }
    SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
    RemoveDuplicateDevices(m_devices);

    MenuModel menu = BuildMenuModel(CIniFile(m_strRootIni), m_devices, info.Lang);
    m_strDefaultCaption = menu.defaultCaption;
    m_strSubCaption = menu.subCaption;
    m_strReadMe = menu.readMe;
    for (const TabModel& t : menu.tabs) {
        auto tab = std::make_unique<CTabBtn>(t.caption, t.file, &m_devices, this);
        tab->Create(t.caption.c_str(), ToWinRect(t.rect), parent, t.id);
        tab->SetTabFont(kWindowLayout.tabFontTenths);
        if (tab->m_pInstallBtn) m_pInstall = &tab->m_pInstallBtn->Engine();
        m_tabs.push_front(std::move(tab));
    }
    return menu;
}

void CAutorunDoc::CreateFixedButtons(const MenuModel& menu, HWND parent) {
    m_pCloseBtn = NewFixedButton(menu.close, parent, IDI_CLOSE);
    m_pWebBtn = NewFixedButton(menu.web, parent, 0);
    m_pWebBtn->SetLinkUrl(kMakerWebSite);
    m_pWebBtn->SetTipText(kMakerWebSite, TRUE);
    if (menu.hasBrowse) m_pBrowseBtn = NewFixedButton(menu.browse, parent, IDI_BROWSE);
}

bool CAutorunDoc::OnCommand(UINT id) {
    if (id >= UINT(kFirstTabId) && id <= UINT(kLastRoutedTabId))
        SelectTab(id);
    else if (id == kCloseId)
        OnCloseButton();
    else if (id == kBrowseId)
        OnBrowseCD();
    else if (id == kLiveStartButtonId)
        OnLiveUpdate();
    else
        return false;
    return true;
}

void CAutorunDoc::SelectTab(UINT id) {
    for (auto& tab : m_tabs) {
        const bool selected = GetDlgCtrlID(tab->m_hWnd) == int(id);
        ShowWindow(tab->m_hWnd, SW_HIDE);
        ShowWindow(tab->m_hWnd, SW_SHOWNORMAL);
        // The selected tab stands out raised and cannot be clicked again.
        EnableWindow(tab->m_hWnd, !selected);
        tab->SetFlatStyle(!selected, TRUE);
        if (selected)
            tab->ShowPage();
        else
            tab->HidePage();
        if (tab->IsLiveUpdatePage()) ShowLiveUpdate(selected);
    }
}

CTabBtn* CAutorunDoc::LiveUpdateTab() const {
    for (const auto& tab : m_tabs)
        if (tab->IsLiveUpdatePage()) return tab.get();
    return nullptr;
}

void CAutorunDoc::ShowLiveUpdate(BOOL show) {
    CTabBtn* tab = LiveUpdateTab();
    if (!tab) return;
    if (m_bLiveUpdateActive) {
        // The start page stays hidden once a list page exists.
        ShowWindow(tab->m_pStartMsg->m_hWnd, SW_HIDE);
        ShowWindow(tab->m_pStartBtn->m_hWnd, SW_HIDE);
        if (show)
            m_pLivePage->ShowAll();
        else
            m_pLivePage->HideAll();
        return;
    }
    const int cmd = show ? SW_SHOWNORMAL : SW_HIDE;
    ShowWindow(tab->m_pStartMsg->m_hWnd, cmd);
    ShowWindow(tab->m_pStartBtn->m_hWnd, cmd);
}

void CAutorunDoc::OnLiveUpdate() {
    CTabBtn* tab = LiveUpdateTab();
    // The live folder is deleted recursively: without a known absolute one there is no live update.
    const std::string live = LiveFolderPath();
    if (!tab || live.empty()) return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const std::string folder = live.substr(0, live.size() - 1);
    if (CFileManip::GetPathKind(folder) != CFileManip::PATH_NONE) CFileManip::DeleteFolder(folder, TRUE);

    const HWND parent = GetParent(tab->m_hWnd);
    auto page = std::make_unique<CLiveUpdateListPage>();
    if (!page->LoadLists(m_devices)) {
        ShowLiveUpdate(TRUE);
        SetCursor(old);
        return;
    }
    m_pLivePage = std::move(page);
    m_bLiveUpdateActive = TRUE;
    ShowLiveUpdate(FALSE);
    {
        CWaitMsgDlg wait(parent);
        wait.Create();
        m_pLivePage->BuildPage(parent, GetDlgCtrlID(tab->m_hWnd), m_devices);
    }
    SetCursor(old);
}

void CAutorunDoc::OnBrowseCD() {
    if (m_strReadMe.empty()) {
        ShellOpen(CToken().ExpandVariables("<Path>") + "\\");
        return;
    }
    ShellOpen(m_strReadMe.substr(0, m_strReadMe.rfind('\\') + 1));
    ShellOpen(m_strReadMe);
}

void CAutorunDoc::OnCloseButton() {
    DeleteDetection();
    PostQuitMessage(0);
}

void CAutorunDoc::RefreshBackgrounds() {
    for (auto& tab : m_tabs)
        tab->RefreshBackgrounds();
}

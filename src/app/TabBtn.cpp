#include "app/TabBtn.h"

#include "app/AutorunDoc.h"
#include "app/SingleInstallBtn.h"
#include "app/Skin.h"
#include "core/DevInfoCtrl.h"
#include "core/IniFile.h"
#include "core/Token.h"
#include "core/WindowLayout.h"
#include "res/resource.h"
#include "ui/PointFont.h"
#include "ui/TipHost.h"

namespace {

const DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_LEFT;
} // namespace

CTabBtn::CTabBtn(std::string caption, std::string file, const CDevList* devices, CAutorunDoc* doc)
    : m_strFile(std::move(file)), m_strCaption(std::move(caption)), m_pDevices(devices), m_pDoc(doc) {}

CTabBtn::~CTabBtn() = default;

BOOL CTabBtn::Create(LPCSTR caption, const RECT& rect, HWND parent, UINT id) {
    if (!CBtnST::Create(caption, kButtonStyle, rect, parent, id)) return FALSE;
    SetMenuButtonLook(*this);

    CDevInfoCtrl* detect = m_pDoc->Detect();
    if (!detect) return TRUE; // nothing to build a page against
    PageModel page = BuildPageModel(CIniFile(m_strFile), int(id), *m_pDevices, *detect);
    m_strIniType = page.iniType;
    m_type = page.type;
    for (const PageButtonModel& b : page.buttons)
        m_pageButtons.push_back(CreateExecButton(b, parent));
    if (page.install) BuildSingleInstallPage(*page.install, parent);
    if (m_type == PageType::Liveupdate) BuildLiveUpdateStartPage(parent);
    LayoutPage(page);
    return TRUE;
}

std::unique_ptr<CExecBtn> CTabBtn::CreateExecButton(const PageButtonModel& model, HWND parent) {
    auto button = std::make_unique<CExecBtn>(model.caption, model.behavior, model.file, TipStyleOn(parent));
    button->Create(model.caption.c_str(), ToWinRect(model.rect), parent, model.id);
    button->Note = model.note;
    button->IniType = m_strIniType;
    button->ChangeCurrDir = model.changeCurrDir != 0;
    ShowWindow(button->m_hWnd, SW_HIDE);
    return button;
}

void CTabBtn::BuildSingleInstallPage(const InstallButtonModel& model, HWND parent) {
    m_pInstallBtn = std::make_unique<CSingleInstallBtn>(model.caption, m_strFile, model.section,
                                                        *m_pDoc->Detect(), TipStyleOn(parent));
    m_pInstallBtn->Create(model.caption.c_str(), kButtonStyle, ToWinRect(model.rect), parent, model.id);
    m_pInstallBtn->IniType = m_strIniType;
    m_pInstallBtn->InstallNote = model.note;
    ShowWindow(m_pInstallBtn->m_hWnd, SW_HIDE);
}

// Its texts follow the user's language, not the language of the detected machine.
void CTabBtn::BuildLiveUpdateStartPage(HWND parent) {
    CToken token;
    const std::string lang = token.GetVariable("Lang");
    LiveStartModel live = BuildLiveStartModel(CIniFile(token.GetVariable("Path") + "\\LiveUpdate.ini"), lang);

    m_pStartMsg = std::make_unique<CMyStatic>();
    m_pStartMsg->Create(live.message.c_str(), WS_CHILD | WS_VISIBLE, ToWinRect(live.messageRect), parent,
                        kLiveStartMessageId);
    m_pStartMsg->SetTransparent(TRUE);
    m_pStartMsg->SetTextColor(kWindowLayout.menuTextColor);
    m_pStartMsg->SetFontSize(kWindowLayout.liveMessageFontTenths,
                             lang == "CHT" ? kChineseScriptFace : "Times New Roman");
    ShowWindow(m_pStartMsg->m_hWnd, SW_HIDE);

    m_pStartBtn = std::make_unique<CBtnST>();
    m_pStartBtn->Create(live.caption.c_str(), kButtonStyle, ToWinRect(live.buttonRect), parent,
                        kLiveStartButtonId);
    m_pStartBtn->SetTransparent(FALSE);
    SetMenuButtonLook(*m_pStartBtn);
    m_pStartBtn->SetColor(BTNST_COLOR_FG_OUT, kWindowLayout.liveStartColor);
    m_pStartBtn->SetImageIcon(IDI_LIVEUPDATE);
    ShowWindow(m_pStartBtn->m_hWnd, SW_HIDE);
}

// The page model placed them in its column; hidden until the tab is selected.
void CTabBtn::LayoutPage(const PageModel& page) {
    for (std::size_t g = 0; g < m_pageButtons.size(); ++g) {
        const Rect& r = page.buttons[g].rect;
        SetWindowPos(m_pageButtons[g]->m_hWnd, HWND_BOTTOM, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_HIDEWINDOW);
    }
}

void CTabBtn::SetTabFont(int tenthsOfPoint) {
    CDevInfoCtrl* detect = m_pDoc->Detect();
    SWInfo info;
    if (detect) detect->GetSWInfo(&info);
    CFont font = CreatePointFont(tenthsOfPoint, info.Lang == "CHT" ? kChineseScriptFace : "Arial");
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    m_hFont = std::move(font);
}

void CTabBtn::ShowPage() {
    for (auto& b : m_pageButtons)
        ShowWindow(b->m_hWnd, SW_SHOWNORMAL);
    if (m_pInstallBtn) ShowWindow(m_pInstallBtn->m_hWnd, SW_SHOWNORMAL);
}

void CTabBtn::HidePage() {
    for (auto& b : m_pageButtons)
        ShowWindow(b->m_hWnd, SW_HIDE);
    if (m_pInstallBtn) ShowWindow(m_pInstallBtn->m_hWnd, SW_HIDE);
}

void CTabBtn::RefreshBackgrounds() {
    SetTransparent(FALSE);
    for (auto& b : m_pageButtons)
        b->SetTransparent(FALSE);
    if (m_pInstallBtn) m_pInstallBtn->SetTransparent(FALSE);
}

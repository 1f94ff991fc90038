#include "app/StartDlg.h"

#include "core/IniFile.h"
#include "core/MenuModel.h"
#include "core/StartPage.h"
#include "core/SystemFacts.h"
#include "core/Token.h"

namespace {
// Carries Hide and End over to the window's own thread.
const UINT kFollowRequests = WM_APP + 1;
} // namespace

CStartDlg::CStartDlg() : CStartDlg(DefaultSystemFacts()) {}

CStartDlg::CStartDlg(SystemFacts& facts) : CDialog(IDD_START), m_facts(facts) {}

void CStartDlg::Hide() {
    m_bHide = true;
    PostRequest();
}

void CStartDlg::End() {
    m_bEnd = true;
    PostRequest();
}

// Posted, never sent: the caller must not wait on a thread that may be busy, and a window that
// does not exist yet picks the request up in its initialisation.
void CStartDlg::PostRequest() {
    if (HWND hwnd = m_hWndShared) PostMessageA(hwnd, kFollowRequests, 0, 0);
}

BOOL CStartDlg::OnInitDialog() {
    m_hWndShared = m_hWnd;
    if (m_bHide || m_bEnd) PostRequest();

    RECT client;
    GetClientRect(m_hWnd, &client);
    m_html.Create(client, m_hWnd, IDC_HTML);
    CToken token(m_facts);
    const std::string path = token.GetVariable("Path");
    const std::string page = ReadStartWindow(CIniFile(RootIniPath(path)));
    m_html.Navigate2(StartPageAddress(page, path));
    return TRUE;
}

LRESULT CStartDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kFollowRequests) {
        if (m_bEnd)
            EndDialog(0);
        else if (m_bHide)
            ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    }
    // Hidden for good: neither the dialog's own showing nor a later one may bring it up.
    if (msg == WM_WINDOWPOSCHANGING && m_bHide) reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~SWP_SHOWWINDOW;
    if (msg == WM_NCDESTROY) m_hWndShared = nullptr;
    return CDialog::WindowProc(msg, wp, lp);
}

#include "app/FtpSiteMirrorDlg.h"

#include "core/IniFile.h"
#include "res/resource.h"
#include "win32/LiveFolder.h"

CFtpSiteMirrorDlg::CFtpSiteMirrorDlg(HWND owner, std::string modelMap)
    : CDialog(IDD_MIRROR), m_hOwner(owner),
      m_strModelMap(modelMap.empty() ? LiveFolderPath() + "ModelMap.ini" : std::move(modelMap)) {}

BOOL CFtpSiteMirrorDlg::OnInitDialog() {
    m_listSites = GetDlgItem(m_hWnd, IDC_MIRRORLIST);
    CIniFile ini(m_strModelMap);
    int count = ini.GetInt("FTP SITE", "FTP Number", 0);
    for (int i = 1; i <= count; ++i) {
        std::string name = ini.GetString("FTP SITE", "FTP" + std::to_string(i), "");
        SendMessageA(m_listSites, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    return TRUE;
}

void CFtpSiteMirrorDlg::OnSelChange() {
    LRESULT sel = SendMessageA(m_listSites, LB_GETCURSEL, 0, 0);
    LRESULT len = sel == LB_ERR ? LB_ERR : SendMessageA(m_listSites, LB_GETTEXTLEN, sel, 0);
    if (len == LB_ERR) return;
    // Sized from the item itself, so a long name is neither cut nor overflows.
    std::string text(static_cast<std::size_t>(len) + 1, '\0');
    LRESULT got = SendMessageA(m_listSites, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    m_strSite = text;
}

LRESULT CFtpSiteMirrorDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_MIRRORLIST) {
        if (HIWORD(wp) == LBN_SELCHANGE) OnSelChange();
        if (HIWORD(wp) == LBN_DBLCLK) {
            OnSelChange();
            EndDialog(IDOK);
        }
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

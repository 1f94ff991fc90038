#include "app/ExecBtn.h"

#include <shellapi.h>

#include "app/FTPManipDlg.h"
#include "app/FtpSiteMirrorDlg.h"
#include "app/Messages.h"
#include "app/Skin.h"
#include "core/ExecAction.h"
#include "core/FtpPath.h"
#include "core/IniFile.h"
#include "core/LiveUpdateRules.h"
#include "res/resource.h"
#include "ui/WaitMsgDlg.h"
#include "win32/LiveFolder.h"
#include "win32/Shell.h"

namespace {
bool NoAssociation(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) == SE_ERR_NOASSOC;
}

// A window's rectangle in its parent's client coordinates, invalidated there with erase.
void InvalidateInParent(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(parent, &r, TRUE);
}
} // namespace

CExecBtn::CExecBtn(const std::string& caption, const std::string& behavior, const std::string& file,
                   const TipStyle& style)
    : CButtonTip(caption, style), Behavior(behavior), File(file) {}

bool CExecBtn::Create(LPCSTR caption, const RECT& rect, HWND parent, UINT id) {
    if (!CBtnST::Create(caption, WS_CHILD | WS_VISIBLE | BS_LEFT, rect, parent, id)) return false;
    SetMenuButtonLook(*this);
    return true;
}

bool CExecBtn::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        // The button acts on its own click; the parent does not see it.
        OnClicked();
        result = 0;
        return true;
    }
    return CButtonTip::OnReflected(msg, wp, lp, result);
}

void CExecBtn::OnClicked() {
    // The background repainted under the description and the button erases the tip.
    if (TipArea && IsWindow(TipArea)) InvalidateInParent(TipArea);
    InvalidateInParent(m_hWnd);

    HINSTANCE result = nullptr;
    switch (ExecActionOf(Behavior)) {
    case ExecAction::Open: {
        const std::string folder = FolderPart(File);
        if (ChangeCurrDir && !folder.empty()) SetCurrentDirectoryA(folder.c_str());
        result = ShellOpen(File);
        break;
    }
    case ExecAction::Explore: {
        // A target without a folder part has no folder to show.
        const std::string folder = FolderPart(File);
        if (!folder.empty()) ShellOpen(folder);
        result = ShellOpen(File);
        break;
    }
    case ExecAction::Link:
        OpenLink(File);
        break;
    case ExecAction::FtpFile:
    case ExecAction::FtpFolder:
        OnFtpClicked();
        break;
    case ExecAction::None:
        break;
    }
    if (NoAssociation(result) && NeedsPdfReader(File))
        ShowMessage(Message::AcrobatMissing, std::string(), m_hWnd);
}

void CExecBtn::OnFtpClicked() {
    CFtpSiteMirrorDlg mirrors;
    if (mirrors.DoModal() != IDOK) return;
    Site = mirrors.m_strSite;
    FetchFromFtp();
}

// Downloads into the live folder's sub-folder of this button and opens what arrived, only when all
// of it arrived and matched Hashes; the session and the transfer show their own failures.
void CExecBtn::FetchFromFtp() {
    const std::string live = LiveFolderPath();
    // Never a download relative to the current folder, nor outside the live folder.
    if (live.empty() || !(LocalSubfolder.empty() || FtpPath::IsSafeName(LocalSubfolder))) return;
    const std::string local = LocalSubfolder.empty() ? live : live + LocalSubfolder + "\\";
    CreateDirectoryA(local.c_str(), nullptr);
    const LiveUpdate::FtpSite mirror = LiveUpdate::ReadFtpSite(CIniFile(live + "modelmap.ini"), Site);

    CWaitMsgDlg wait;
    wait.Create();
    SetDlgItemTextA(wait.m_hWnd, IDC_WAITMSG, "Connecting, please wait...");
    CFTPManipDlg ftp;
    const BOOL connected = ftp.ConnectWithDialog(mirror.host, mirror.user, mirror.password,
                                                 static_cast<INTERNET_PORT>(mirror.port));
    ShowWindow(wait.m_hWnd, SW_HIDE);
    if (!connected) return;

    const std::string remote = LiveUpdate::FetchRemotePath(File, mirror.rootDir);
    const std::string base = ftp.Session().GetRemoteDirectory();
    ftp.Session().m_hashes = Hashes;
    if (ExecActionOf(Behavior) == ExecAction::FtpFile) {
        const std::string name = LiveUpdate::FetchLocalName(remote);
        if (!name.empty() &&
            ftp.DownloadFileWithDialog(base + remote, local + name, FtpTransferType::ByName, TRUE)) {
            if (ChangeCurrDir) SetCurrentDirectoryA(local.c_str());
            ShellOpen(local + name);
        }
    } else if (ftp.DownloadFolderWithDialog(base + remote, local, FtpTransferType::ByName, TRUE)) {
        ShellOpen(local);
    }
    ftp.Session().Close();
}

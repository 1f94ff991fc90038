#include "app/FTPManipDlg.h"

#include "app/TransProgressDlg.h"
#include "core/FtpPath.h"
#include "win32/Thread.h"

void CFTPManipDlg::ShowMessage(Message message, const std::string& detail) {
    ::ShowMessage(message, detail);
}

BOOL CFTPManipDlg::Connect(const std::string& server, const std::string& user, const std::string& password,
                           INTERNET_PORT port) {
    if (CFTPManip::Connect(server, user, password, port)) return TRUE;
    ShowMessage(Message::FtpFailed, ErrorText());
    return FALSE;
}

BOOL CFTPManipDlg::DownloadFile(const std::string& remote, const std::string& local, int mode, BOOL show) {
    Prepare(1, remote, local, show);
    std::vector<FolderEntry> found;
    ListRemote(m_strRemoteFile, found);
    return RunFile(found, mode, "Download File");
}

BOOL CFTPManipDlg::DownloadFolder(const std::string& remote, const std::string& local, int mode, BOOL show) {
    Prepare(2, remote, local, show);
    return Run(mode, "Download Folder");
}

BOOL CFTPManipDlg::UploadFile(const std::string& local, const std::string& remote, int mode, BOOL show) {
    Prepare(3, remote, local, show);
    std::vector<FolderEntry> found;
    ListLocal(m_strLocalFile, found);
    return RunFile(found, mode, "Upload File");
}

BOOL CFTPManipDlg::UploadFolder(const std::string& local, const std::string& remote, int mode, BOOL show) {
    Prepare(4, remote, local, show);
    return Run(mode, "Upload Folder");
}

void CFTPManipDlg::Prepare(int operation, const std::string& remote, const std::string& local, BOOL show) {
    m_nOperation = operation;
    m_bShowDialog = show;
    m_dwTransferred = 0;
    m_dwTotal = 0;
    if (operation == 1 || operation == 3) {
        m_strRemoteFile = FtpPath::Normalise(remote);
        m_strLocalFile = FtpPath::Normalise(local);
    } else {
        m_strRemoteFolder = FtpPath::Folder(remote);
        m_strLocalFolder = FtpPath::Folder(local);
    }
}

// A file transfer starts only when its source was found; its size is the total. A folder's total
// comes from its walk, on the worker.
BOOL CFTPManipDlg::RunFile(const std::vector<FolderEntry>& found, int mode, const char* caption) {
    if (found.empty()) {
        ShowMessage(Message::FtpFileMissing);
        return FALSE;
    }
    m_dwTotal = found.front().size;
    return Run(mode, caption);
}

BOOL CFTPManipDlg::Run(int mode, const char* caption) {
    SetTransferType(mode);
    bool aborted = false;
    if (m_bShowDialog) {
        CTransProgressDlg dlg(m_nOperation >= 3 ? 1 : 0, caption, [this] { Close(); });
        m_pProgressDlg = &dlg;
        CThread worker;
        m_bResult = FALSE;
        if (worker.Start([this] { RunOperation(); }, THREAD_PRIORITY_LOWEST)) {
            dlg.DoModal();
            // The dialog ends when the worker reports its end; this wait only covers its last
            // instructions.
            worker.Join();
        }
        m_pProgressDlg = nullptr;
        aborted = dlg.IsAborted() != 0;
    } else {
        RunOperation();
    }
    if (aborted) {
        ShowMessage(Message::FtpAborted);
        return FALSE;
    }
    const std::string text = m_report.Message();
    if (!text.empty()) ShowMessage(Message::FtpFailed, text);
    return m_bResult;
}

void CFTPManipDlg::RunOperation() {
    std::atomic<int> never{0};
    CTransProgressDlg* dlg = m_bShowDialog ? m_pProgressDlg : nullptr;
    if (dlg && m_nOperation >= 1 && m_nOperation <= 4) {
        const bool file = m_nOperation == 1 || m_nOperation == 3;
        const bool down = m_nOperation <= 2;
        const std::string& remote = file ? m_strRemoteFile : m_strRemoteFolder;
        const std::string& local = file ? m_strLocalFile : m_strLocalFolder;
        dlg->Start(down ? remote : local, down ? local : remote, &m_dwTotal, &m_dwTransferred);
    }
    m_bResult = Transfer(dlg ? &dlg->m_bAbort : &never);
    if (dlg) dlg->Finish();
}

BOOL CFTPManipDlg::Transfer(const std::atomic<int>* pAbort) {
    switch (m_nOperation) {
    case 1:
        return CFTPManip::DownloadFile(m_strRemoteFile, m_strLocalFile, pAbort);
    case 2:
        return CFTPManip::DownloadFolder(m_strRemoteFolder, m_strLocalFolder, pAbort);
    case 3:
        return CFTPManip::UploadFile(m_strLocalFile, m_strRemoteFile, pAbort);
    case 4:
        return CFTPManip::UploadFolder(m_strLocalFolder, m_strRemoteFolder, pAbort);
    }
    ShowMessage(Message::FtpNoOperation);
    return FALSE;
}

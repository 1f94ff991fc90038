#include "app/FTPManipDlg.h"

#include "app/TransProgressDlg.h"
#include "core/FtpPath.h"
#include "win32/Thread.h"

namespace {
bool IsFileOperation(FtpOperation o) {
    return o == FtpOperation::DownloadFile || o == FtpOperation::UploadFile;
}

bool IsDownload(FtpOperation o) {
    return o == FtpOperation::DownloadFile || o == FtpOperation::DownloadFolder;
}
} // namespace

void CFTPManipDlg::ShowMessage(Message message, const std::string& detail) {
    ::ShowMessage(message, detail);
}

BOOL CFTPManipDlg::ConnectWithDialog(const std::string& server, const std::string& user,
                                     const std::string& password, INTERNET_PORT port) {
    if (m_ftp.Connect(server, user, password, port)) return TRUE;
    ShowMessage(Message::FtpFailed, m_ftp.ErrorText());
    return FALSE;
}

BOOL CFTPManipDlg::DownloadFileWithDialog(const std::string& remote, const std::string& local,
                                          FtpTransferType mode, BOOL progress) {
    Prepare(FtpOperation::DownloadFile, remote, local, progress);
    std::vector<FolderEntry> found;
    m_ftp.ListRemote(m_strRemoteFile, found);
    return RunFile(found, mode, "Download File");
}

BOOL CFTPManipDlg::DownloadFolderWithDialog(const std::string& remote, const std::string& local,
                                            FtpTransferType mode, BOOL progress) {
    Prepare(FtpOperation::DownloadFolder, remote, local, progress);
    return Run(mode, "Download Folder");
}

BOOL CFTPManipDlg::UploadFileWithDialog(const std::string& local, const std::string& remote,
                                        FtpTransferType mode, BOOL progress) {
    Prepare(FtpOperation::UploadFile, remote, local, progress);
    std::vector<FolderEntry> found;
    CFTPManip::ListLocal(m_strLocalFile, found);
    return RunFile(found, mode, "Upload File");
}

BOOL CFTPManipDlg::UploadFolderWithDialog(const std::string& local, const std::string& remote,
                                          FtpTransferType mode, BOOL progress) {
    Prepare(FtpOperation::UploadFolder, remote, local, progress);
    return Run(mode, "Upload Folder");
}

void CFTPManipDlg::Prepare(FtpOperation operation, const std::string& remote, const std::string& local,
                           BOOL show) {
    m_operation = operation;
    m_bShowDialog = show;
    m_ftp.m_dwTransferred = 0;
    m_ftp.m_dwTotal = 0;
    if (IsFileOperation(operation)) {
        m_strRemoteFile = FtpPath::Normalise(remote);
        m_strLocalFile = FtpPath::Normalise(local);
    } else {
        m_strRemoteFolder = FtpPath::Folder(remote);
        m_strLocalFolder = FtpPath::Folder(local);
    }
}

// A file transfer starts only when its source was found; its size is the total. A folder's total
// comes from its walk, on the worker.
BOOL CFTPManipDlg::RunFile(const std::vector<FolderEntry>& found, FtpTransferType mode, const char* caption) {
    if (found.empty()) {
        ShowMessage(Message::FtpFileMissing);
        return FALSE;
    }
    m_ftp.m_dwTotal = found.front().size;
    return Run(mode, caption);
}

BOOL CFTPManipDlg::Run(FtpTransferType mode, const char* caption) {
    m_ftp.SetTransferType(mode);
    bool aborted = false;
    if (m_bShowDialog) {
        CTransProgressDlg dlg(IsDownload(m_operation) ? 0 : 1, caption, [this] { m_ftp.Close(); });
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
    const std::string text = m_ftp.m_report.Message();
    if (!text.empty()) ShowMessage(Message::FtpFailed, text);
    return m_bResult;
}

void CFTPManipDlg::RunOperation() {
    std::atomic<int> never{0};
    CTransProgressDlg* dlg = m_bShowDialog ? m_pProgressDlg : nullptr;
    if (dlg && m_operation != FtpOperation::None) {
        const bool file = IsFileOperation(m_operation);
        const bool down = IsDownload(m_operation);
        const std::string& remote = file ? m_strRemoteFile : m_strRemoteFolder;
        const std::string& local = file ? m_strLocalFile : m_strLocalFolder;
        dlg->Start(down ? remote : local, down ? local : remote, &m_ftp.m_dwTotal, &m_ftp.m_dwTransferred);
    }
    m_bResult = Transfer(dlg ? &dlg->m_bAbort : &never);
    if (dlg) dlg->Finish();
}

BOOL CFTPManipDlg::Transfer(const std::atomic<int>* pAbort) {
    switch (m_operation) {
    case FtpOperation::DownloadFile:
        return m_ftp.DownloadFile(m_strRemoteFile, m_strLocalFile, pAbort);
    case FtpOperation::DownloadFolder:
        return m_ftp.DownloadFolder(m_strRemoteFolder, m_strLocalFolder, pAbort);
    case FtpOperation::UploadFile:
        return m_ftp.UploadFile(m_strLocalFile, m_strRemoteFile, pAbort);
    case FtpOperation::UploadFolder:
        return m_ftp.UploadFolder(m_strLocalFolder, m_strRemoteFolder, pAbort);
    case FtpOperation::None:
        break;
    }
    ShowMessage(Message::FtpNoOperation);
    return FALSE;
}

#include "app/FTPManipDlg.h"

#include "app/TransProgressDlg.h"
#include "core/FtpPath.h"
#include "win32/Thread.h"

namespace {
// Folder walks stop here: a server whose folders nest without end must not walk for ever.
const std::size_t kMaxPath = MAX_PATH;
} // namespace

BOOL CFTPManipDlg::DownloadFile(const std::string& remote, const std::string& local, int mode, BOOL show) {
    Prepare(1, remote, local, show);
    std::vector<Entry> found;
    ListRemote(m_strRemoteFile, found);
    return RunFile(found, mode, "Download File");
}

BOOL CFTPManipDlg::DownloadFolder(const std::string& remote, const std::string& local, int mode, BOOL show) {
    Prepare(2, remote, local, show);
    AddFolderSize(m_strRemoteFolder, true);
    return Run(mode, "Download Folder");
}

BOOL CFTPManipDlg::UploadFile(const std::string& local, const std::string& remote, int mode, BOOL show) {
    Prepare(3, remote, local, show);
    std::vector<Entry> found;
    ListLocal(m_strLocalFile, found);
    return RunFile(found, mode, "Upload File");
}

BOOL CFTPManipDlg::UploadFolder(const std::string& local, const std::string& remote, int mode, BOOL show) {
    Prepare(4, remote, local, show);
    AddFolderSize(m_strLocalFolder, false);
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

// A file transfer starts only when its source was found; its size is the total.
BOOL CFTPManipDlg::RunFile(const std::vector<Entry>& found, int mode, const char* caption) {
    if (found.empty()) {
        ShowMessage("This file doesn't exist.");
        return FALSE;
    }
    m_dwTotal = found.front().size;
    return Run(mode, caption);
}

BOOL CFTPManipDlg::Run(int mode, const char* caption) {
    SetTransferType(mode);
    if (!m_bShowDialog) {
        RunOperation();
        return m_bResult;
    }
    CTransProgressDlg dlg(m_nOperation >= 3 ? 1 : 0, caption);
    m_pProgressDlg = &dlg;
    CThread worker;
    if (!worker.Start([this] { RunOperation(); }, THREAD_PRIORITY_LOWEST)) {
        m_pProgressDlg = nullptr;
        return FALSE;
    }
    dlg.DoModal();
    // The dialog ends when the worker reports its end; this wait only covers its last instructions.
    worker.Join();
    m_pProgressDlg = nullptr;
    if (dlg.IsAborted()) {
        ShowMessage("Operation aborts");
        return FALSE;
    }
    return m_bResult;
}

void CFTPManipDlg::RunOperation() {
    std::atomic<int> never{0};
    CTransProgressDlg* dlg = m_bShowDialog ? m_pProgressDlg : nullptr;
    if (dlg) {
        bool file = m_nOperation == 1 || m_nOperation == 3;
        bool down = m_nOperation <= 2;
        const std::string& remote = file ? m_strRemoteFile : m_strRemoteFolder;
        const std::string& local = file ? m_strLocalFile : m_strLocalFolder;
        if (m_nOperation >= 1 && m_nOperation <= 4)
            dlg->Start(down ? remote : local, down ? local : remote, m_dwTotal, &m_dwTransferred);
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
    ShowMessage("The Type of operation is not defined");
    return FALSE;
}

// Adds the sizes of the files below a folder, listed "*.*" as the program always has (on Unix servers
// that misses names without a dot; the dialog does not depend on the total being reached).
void CFTPManipDlg::AddFolderSize(const std::string& folder, bool remote) {
    if (folder.size() > kMaxPath) return;
    std::vector<Entry> entries;
    if (remote)
        ListRemote(folder + "*.*", entries);
    else
        ListLocal(folder + "*.*", entries);
    for (const Entry& e : entries)
        if (!e.folder) m_dwTotal += e.size;
    for (const Entry& e : entries)
        if (e.folder && FtpPath::IsSafeName(e.name)) AddFolderSize(folder + e.name + "/", remote);
}

#pragma once
#include <string>

#include "win32/FTPManip.h"

class CTransProgressDlg;

// The FTP session with a user-facing way to run one transfer: check the source exists, work out the
// bytes it will move, run it on a worker thread at the lowest priority under the modal progress
// dialog. The dialog, its abort flag and this object stay in use until the worker has ended, so an
// operation returns only after its worker.
class CFTPManipDlg : public CFTPManip {
  public:
    CFTPManipDlg() = default;
    ~CFTPManipDlg() override = default;

    // mode as SetTransferType. TRUE only when the transfer really completed: not cancelled, nothing
    // failed (a missing remote folder, a dropped connection, a refused name).
    using CFTPManip::DownloadFile;
    using CFTPManip::DownloadFolder;
    using CFTPManip::UploadFile;
    using CFTPManip::UploadFolder;
    BOOL DownloadFile(const std::string& remote, const std::string& local, int mode, BOOL show);
    BOOL DownloadFolder(const std::string& remote, const std::string& local, int mode, BOOL show);
    BOOL UploadFile(const std::string& local, const std::string& remote, int mode, BOOL show);
    BOOL UploadFolder(const std::string& local, const std::string& remote, int mode, BOOL show);

  protected:
    CTransProgressDlg* m_pProgressDlg = nullptr;
    int m_nOperation = 0; // 1 download file, 2 download folder, 3 upload file, 4 upload folder
    std::string m_strRemoteFile, m_strLocalFile;
    std::string m_strRemoteFolder, m_strLocalFolder;
    BOOL m_bShowDialog = FALSE;
    std::uint32_t m_dwTotal = 0;

    // The worker's body, on whichever thread runs the transfer.
    void RunOperation();

  private:
    void Prepare(int operation, const std::string& remote, const std::string& local, BOOL show);
    BOOL RunFile(const std::vector<Entry>& found, int mode, const char* caption);
    BOOL Run(int mode, const char* caption);
    BOOL Transfer(const std::atomic<int>* pAbort);
    void AddFolderSize(const std::string& folder, bool remote);

    BOOL m_bResult = FALSE;
};

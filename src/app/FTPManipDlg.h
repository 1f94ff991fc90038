#pragma once
#include <string>

#include "app/Messages.h"
#include "win32/FTPManip.h"

class CTransProgressDlg;

// The FTP session with a user-facing way to run one transfer: check the source exists, run the
// transfer on a worker thread at the lowest priority under the modal progress dialog (a folder's
// walk included, so Cancel reaches it), and tell the user in one message what went wrong. The
// dialog, its abort flag and this object stay in use until the worker has ended, so an operation
// returns only after its worker.
class CFTPManipDlg : public CFTPManip {
  public:
    CFTPManipDlg() = default;
    ~CFTPManipDlg() override = default;

    // As the session's, with the platform's text in a message box on failure.
    BOOL Connect(const std::string& server, const std::string& user, const std::string& password,
                 INTERNET_PORT port);
    // mode as SetTransferType. TRUE only when the transfer really completed: not cancelled, nothing
    // failed or mismatched (the message then lists what did). Cancel also closes the connection.
    using CFTPManip::DownloadFile;
    using CFTPManip::DownloadFolder;
    using CFTPManip::UploadFile;
    using CFTPManip::UploadFolder;
    BOOL DownloadFile(const std::string& remote, const std::string& local, int mode, BOOL show);
    BOOL DownloadFolder(const std::string& remote, const std::string& local, int mode, BOOL show);
    BOOL UploadFile(const std::string& local, const std::string& remote, int mode, BOOL show);
    BOOL UploadFolder(const std::string& local, const std::string& remote, int mode, BOOL show);

  protected:
    // User-visible errors; a message box with an OK button.
    virtual void ShowMessage(Message message, const std::string& detail = std::string());

    CTransProgressDlg* m_pProgressDlg = nullptr;
    int m_nOperation = 0; // 1 download file, 2 download folder, 3 upload file, 4 upload folder
    std::string m_strRemoteFile, m_strLocalFile;
    std::string m_strRemoteFolder, m_strLocalFolder;
    BOOL m_bShowDialog = FALSE;

    // The worker's body, on whichever thread runs the transfer.
    void RunOperation();

  private:
    void Prepare(int operation, const std::string& remote, const std::string& local, BOOL show);
    BOOL RunFile(const std::vector<FolderEntry>& found, int mode, const char* caption);
    BOOL Run(int mode, const char* caption);
    BOOL Transfer(const std::atomic<int>* pAbort);

    BOOL m_bResult = FALSE;
};

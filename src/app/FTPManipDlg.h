#pragma once
#include <string>

#include "app/Messages.h"
#include "win32/FTPManip.h"

class CTransProgressDlg;

// The four transfers the dialog runs.
enum class FtpOperation { None, DownloadFile, DownloadFolder, UploadFile, UploadFolder };

// An FTP session with a user-facing way to run one transfer: check the source exists, run the
// transfer on a worker thread at the lowest priority under the modal progress dialog (a folder's
// walk included, so Cancel reaches it), and tell the user in one message what went wrong. The
// dialog, its abort flag and this object stay in use until the worker has ended, so an operation
// returns only after its worker.
class CFTPManipDlg {
  public:
    CFTPManipDlg() = default;
    virtual ~CFTPManipDlg() = default;

    // The session itself, for what shows nothing.
    CFTPManip& Session() { return m_ftp; }

    // As the session's, with the platform's text in a message box on failure.
    BOOL ConnectWithDialog(const std::string& server, const std::string& user, const std::string& password,
                           INTERNET_PORT port);
    // TRUE only when the transfer really completed: not cancelled, nothing failed or mismatched (a
    // message box then lists what did). `progress`: under the progress dialog, whose Cancel also
    // closes the connection.
    BOOL DownloadFileWithDialog(const std::string& remote, const std::string& local, FtpTransferType mode,
                                BOOL progress);
    BOOL DownloadFolderWithDialog(const std::string& remote, const std::string& local, FtpTransferType mode,
                                  BOOL progress);
    BOOL UploadFileWithDialog(const std::string& local, const std::string& remote, FtpTransferType mode,
                              BOOL progress);
    BOOL UploadFolderWithDialog(const std::string& local, const std::string& remote, FtpTransferType mode,
                                BOOL progress);

  protected:
    // User-visible errors; a message box with an OK button.
    virtual void ShowMessage(Message message, const std::string& detail = std::string());

    CFTPManip m_ftp;
    CTransProgressDlg* m_pProgressDlg = nullptr;
    FtpOperation m_operation = FtpOperation::None;
    std::string m_strRemoteFile, m_strLocalFile;
    std::string m_strRemoteFolder, m_strLocalFolder;
    BOOL m_bShowDialog = FALSE;

    // The worker's body, on whichever thread runs the transfer.
    void RunOperation();

  private:
    void Prepare(FtpOperation operation, const std::string& remote, const std::string& local, BOOL show);
    BOOL RunFile(const std::vector<FolderEntry>& found, FtpTransferType mode, const char* caption);
    BOOL Run(FtpTransferType mode, const char* caption);
    BOOL Transfer(const std::atomic<int>* pAbort);

    BOOL m_bResult = FALSE;
};

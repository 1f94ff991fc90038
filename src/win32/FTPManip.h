#pragma once
#include "core/FolderPlan.h"
#include "core/FtpPath.h"
#include "core/HashList.h"
#include "core/TransferReport.h"
#include "win32/LateBound.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CSha256Hasher;

// One Internet session with at most one FTP connection: whole-file and whole-folder transfers in
// blocks whose size follows the line, adding each block to a counter that another thread reads for
// progress and stopping once the caller's abort flag holds exactly 1. It shows nothing: results
// are BOOL, the report of the last transfer and the text of a failed connection.
class CFTPManip {
  public:
    CFTPManip();
    virtual ~CFTPManip();
    CFTPManip(const CFTPManip&) = delete;
    CFTPManip& operator=(const CFTPManip&) = delete;

    // Active mode. On failure ErrorText() says why, and the session is closed for good: a new
    // attempt needs a new object.
    BOOL Connect(const std::string& server, const std::string& user, const std::string& password,
                 INTERNET_PORT port);
    // The platform's text for the last failed connection, with the server's reply when it gave one.
    const std::string& ErrorText() const { return m_strError; }
    // Closes the connection. Also from another thread while a transfer runs: a call waiting for the
    // server then returns where the platform lets it, and every later call fails at once.
    void Close();

    void SetTransferType(FtpTransferType mode);
    FtpTransferType GetFileTransferType(const std::string& name) const;

    // TRUE only when everything arrived, and every download matched m_hashes when it lists any. A
    // file that fails or does not match is removed (one cut short by an abort stays); a failed file
    // does not stop a folder. m_report says what was left undone and why.
    BOOL DownloadFile(std::string remote, std::string local, const std::atomic<int>* pAbort);
    BOOL UploadFile(std::string local, std::string remote, const std::atomic<int>* pAbort);
    // Files first, then sub-folders, after one walk of the source that sets m_dwTotal.
    BOOL DownloadFolder(std::string remote, std::string local, const std::atomic<int>* pAbort);
    BOOL UploadFolder(std::string local, std::string remote, const std::atomic<int>* pAbort);

    // One listing, never from a cache, without "." and "..". FALSE when nothing matched.
    BOOL ListRemote(const std::string& pattern, std::vector<FolderEntry>& entries);
    static BOOL ListLocal(const std::string& pattern, std::vector<FolderEntry>& entries);

    void DeleteRemoteFile(const std::string& remote);
    void DeleteRemoteFolder(std::string remote);
    std::string GetRemoteDirectory(); // the current directory followed by "/"
    void SetRemoteDirectory(const std::string& remote);

    std::atomic<std::uint32_t> m_dwTransferred{0};
    // The bytes the running folder transfer expects; known once its walk has ended.
    std::atomic<std::uint32_t> m_dwTotal{0};
    // What the downloads must match; empty checks nothing. A file fetch's value has the empty path.
    CHashList m_hashes;
    CTransferReport m_report;

  protected:
    // What a folder walk lists at most (a seam for tests: each entry costs Wine a while).
    std::size_t m_nMaxEntries = CFolderPlan::kMaxEntries;
    const CWinInet m_net; // first: the session is opened through it
    CInternetHandle m_session;
    std::atomic<HINTERNET> m_pConnection{nullptr};
    FtpTransferType m_transferType = FtpTransferType::ByName;

  private:
    std::string CurrentDirectory();
    bool EnterRemote(const std::string& folder, std::string& here);
    // The listers of a folder walk.
    bool ListRemoteFolder(const std::string& folder, std::string& here, std::vector<FolderEntry>& entries);
    CFolderPlan::Lister RemoteLister();
    static bool ListLocalFolder(const std::string& folder, std::string& here,
                                std::vector<FolderEntry>& entries);

    void Begin();
    BOOL End();
    // One file either way; `path` names it in the report and in m_hashes (relative to the folder
    // transfer, empty for a file transfer).
    bool MoveFile(bool down, const std::string& source, const std::string& target, const std::string& path,
                  const std::atomic<int>* pAbort);
    bool MoveBlocks(bool down, HINTERNET remote, HANDLE local, CSha256Hasher* hasher,
                    const std::atomic<int>* pAbort);
    BOOL MoveFolder(bool down, std::string source, std::string target, const std::atomic<int>* pAbort);

    std::string m_strError;
};

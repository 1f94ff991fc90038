#pragma once
#include "win32/LateBound.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// One Internet session with at most one FTP connection: whole-file and
// whole-folder transfers in 1024-byte blocks, adding each block to a counter
// that another thread reads for progress and stopping between blocks once the
// caller's abort flag holds exactly 1.
class CFTPManip {
  public:
    CFTPManip();
    virtual ~CFTPManip();
    CFTPManip(const CFTPManip&) = delete;
    CFTPManip& operator=(const CFTPManip&) = delete;

    // Active mode. On failure the platform's error text is shown and the session
    // is closed for good: a new attempt needs a new object.
    BOOL Connect(const std::string& server, const std::string& user, const std::string& password,
                 INTERNET_PORT port);
    void Close();

    void SetTransferType(int mode); // 0 by file name, 1 ASCII, 2 binary
    int GetFileTransferType(const std::string& name) const;

    // A transfer that fails part-way returns FALSE and removes the partial
    // target; an aborted one returns FALSE and keeps what it wrote.
    BOOL DownloadFile(std::string remote, std::string local, const std::atomic<int>* pAbort);
    BOOL UploadFile(std::string local, std::string remote, const std::atomic<int>* pAbort);
    // Files first, then sub-folders. FALSE when anything below was not
    // transferred.
    BOOL DownloadFolder(std::string remote, std::string local, const std::atomic<int>* pAbort);
    BOOL UploadFolder(std::string local, std::string remote, const std::atomic<int>* pAbort);

    void DeleteRemoteFile(const std::string& remote);
    void DeleteRemoteFolder(std::string remote);
    std::string GetRemoteDirectory(); // the current directory followed by "/"
    void SetRemoteDirectory(const std::string& remote);

    std::atomic<std::uint32_t> m_dwTransferred{0};

  protected:
    // User-visible errors; a message box with an OK button.
    virtual void ShowMessage(const std::string& text);

    const CWinInet m_net; // first: the session is opened through it
    HINTERNET m_session;
    HINTERNET m_pConnection = nullptr;
    int m_nTransferType = FTP_TRANSFER_TYPE_BINARY;
    BOOL m_bAutoType = TRUE;

    struct Entry {
        std::string name;
        bool folder;
        std::uint32_t size; // low 32 bits
    };
    // Listings without "." and "..", never from a cache. FALSE when nothing
    // matched.
    BOOL ListRemote(const std::string& pattern, std::vector<Entry>& entries);
    static BOOL ListLocal(const std::string& pattern, std::vector<Entry>& entries);

  private:
    std::string CurrentDirectory();
};

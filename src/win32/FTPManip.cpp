#include "win32/FTPManip.h"

#include "core/FtpPath.h"

namespace {
const DWORD kBlock = 1024;
const DWORD kTimeoutMs = 20000;

bool Aborted(const std::atomic<int>* pAbort) {
    return pAbort->load() == 1;
}

// The text the platform has for an Internet error, with the server's own reply
// when there is one.
std::string ErrorText(const CWinInet& net, DWORD error) {
    if (error == ERROR_INTERNET_EXTENDED_ERROR) {
        char reply[1024] = "";
        DWORD code = 0, size = sizeof reply;
        if (net.InternetGetLastResponseInfoA(&code, reply, &size) && reply[0]) return reply;
    }
    char text[512] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                       GetModuleHandleA("wininet.dll"), error, 0, text, sizeof text, nullptr) ||
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof text, nullptr))
        return text;
    return "Internet error " + std::to_string(error);
}

// Closes a remote file and tells whether the server confirmed the transfer. A
// data connection that was dropped looks like the end of the file to the
// reader; only the missing final reply (the last one is still the "150" of the
// opening) or an error reply shows the difference.
bool CloseConfirmed(const CWinInet& net, CInternetHandle& file) {
    file.Reset();
    char reply[256] = "";
    DWORD code = 0, size = sizeof reply;
    net.InternetGetLastResponseInfoA(&code, reply, &size);
    return reply[0] == '2';
}
} // namespace

CFTPManip::CFTPManip()
    // Without WinINet there is no session, and every connection attempt fails with a message.
    : m_session(m_net.Loaded()
                    ? m_net.InternetOpenA("My Session", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
                    : nullptr) {
    // A server that stops answering must not hold the connecting window or a
    // transfer for long.
    DWORD timeout = kTimeoutMs;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
        if (m_session) m_net.InternetSetOptionA(m_session, option, &timeout, sizeof timeout);
}

CFTPManip::~CFTPManip() {
    if (m_pConnection) m_net.InternetCloseHandle(m_pConnection);
    if (m_session) m_net.InternetCloseHandle(m_session);
}

void CFTPManip::ShowMessage(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Autorun", MB_OK);
}

BOOL CFTPManip::Connect(const std::string& server, const std::string& user, const std::string& password,
                        INTERNET_PORT port) {
    HINTERNET c = m_session ? m_net.InternetConnectA(m_session, server.c_str(), port, user.c_str(),
                                                     password.c_str(), INTERNET_SERVICE_FTP, 0, 1)
                            : nullptr;
    if (c) {
        m_pConnection = c;
        return TRUE;
    }
    ShowMessage(ErrorText(m_net, m_session ? GetLastError() : ERROR_INVALID_HANDLE));
    if (m_session) m_net.InternetCloseHandle(m_session);
    m_session = nullptr;
    return FALSE;
}

void CFTPManip::Close() {
    if (m_pConnection) m_net.InternetCloseHandle(m_pConnection);
    m_pConnection = nullptr;
}

void CFTPManip::SetTransferType(int mode) {
    if (mode == 0) m_bAutoType = TRUE;
    if (mode == 1 || mode == 2) {
        m_nTransferType = mode;
        m_bAutoType = FALSE;
    }
}

int CFTPManip::GetFileTransferType(const std::string& name) const {
    return FtpPath::TransferType(name);
}

BOOL CFTPManip::DownloadFile(std::string remote, std::string local, const std::atomic<int>* pAbort) {
    remote = FtpPath::Normalise(remote);
    local = FtpPath::Normalise(local);
    if (m_bAutoType) m_nTransferType = GetFileTransferType(remote);
    // The remote file is opened first so that a missing one leaves an existing
    // local file alone.
    CInternetHandle in{
        m_pConnection ? m_net.FtpOpenFileA(m_pConnection, remote.c_str(), GENERIC_READ, m_nTransferType, 1)
                      : nullptr};
    if (!in.Get()) return FALSE;
    HANDLE out =
        CreateFileA(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return FALSE;
    bool ok = true;
    // Read until a read gives nothing: a short block is not the end of a file on
    // a slow link.
    while (!Aborted(pAbort)) {
        char block[kBlock];
        DWORD got = 0, put = 0;
        if (!m_net.InternetReadFile(in.Get(), block, kBlock, &got)) {
            ok = false;
            break;
        }
        if (Aborted(pAbort) || got == 0) break;
        if (!WriteFile(out, block, got, &put, nullptr) || put != got) {
            ok = false;
            break;
        }
        m_dwTransferred += got;
    }
    if (ok && !Aborted(pAbort)) ok = CloseConfirmed(m_net, in);
    CloseHandle(out);
    if (!ok) DeleteFileA(local.c_str());
    return ok && !Aborted(pAbort);
}

BOOL CFTPManip::UploadFile(std::string local, std::string remote, const std::atomic<int>* pAbort) {
    remote = FtpPath::Normalise(remote);
    local = FtpPath::Normalise(local);
    HANDLE in = CreateFileA(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) return FALSE;
    if (m_bAutoType) m_nTransferType = GetFileTransferType(local);
    bool ok = false;
    {
        CInternetHandle out{m_pConnection ? m_net.FtpOpenFileA(m_pConnection, remote.c_str(), GENERIC_WRITE,
                                                               m_nTransferType, 1)
                                          : nullptr};
        ok = out.Get() != nullptr;
        while (ok && !Aborted(pAbort)) {
            char block[kBlock];
            DWORD got = 0, put = 0;
            if (!ReadFile(in, block, kBlock, &got, nullptr)) ok = false;
            if (!ok || Aborted(pAbort) || got == 0) break;
            ok = m_net.InternetWriteFile(out.Get(), block, got, &put) && put == got;
            if (ok) m_dwTransferred += put;
        }
        if (ok && !Aborted(pAbort)) ok = CloseConfirmed(m_net, out);
    }
    CloseHandle(in);
    if (!ok) DeleteRemoteFile(remote);
    return ok && !Aborted(pAbort);
}

BOOL CFTPManip::ListRemote(const std::string& pattern, std::vector<Entry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA fd;
    // WinINet runs one request per connection at a time, so the listing is read
    // whole and closed before any entry is acted on.
    CInternetHandle find{
        m_pConnection ? m_net.FtpFindFirstFileA(m_pConnection, pattern.c_str(), &fd, INTERNET_FLAG_RELOAD, 0)
                      : nullptr};
    if (!find.Get()) return FALSE;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, fd.nFileSizeLow});
    } while (m_net.InternetFindNextFileA(find.Get(), &fd));
    return TRUE;
}

BOOL CFTPManip::ListLocal(const std::string& pattern, std::vector<Entry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(pattern.c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return FALSE;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, fd.nFileSizeLow});
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return TRUE;
}

std::string CFTPManip::CurrentDirectory() {
    char dir[MAX_PATH + 1] = "";
    DWORD size = sizeof dir;
    if (!m_pConnection || !m_net.FtpGetCurrentDirectoryA(m_pConnection, dir, &size)) return {};
    return dir;
}

std::string CFTPManip::GetRemoteDirectory() {
    return CurrentDirectory() + "/";
}

void CFTPManip::SetRemoteDirectory(const std::string& remote) {
    if (m_pConnection) m_net.FtpSetCurrentDirectoryA(m_pConnection, FtpPath::Normalise(remote).c_str());
}

BOOL CFTPManip::DownloadFolder(std::string remote, std::string local, const std::atomic<int>* pAbort) {
    remote = FtpPath::Folder(remote);
    local = FtpPath::Folder(local);
    for (const std::string& level : FtpPath::FolderLevels(local))
        CreateDirectoryA(level.c_str(), nullptr);
    // Without its local folder nothing below can be stored; this also ends a
    // server whose folders nest without end once the local path grows too long.
    DWORD attributes = GetFileAttributesA(local.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FALSE;
    if (!m_pConnection || !m_net.FtpSetCurrentDirectoryA(m_pConnection, remote.c_str())) return FALSE;
    // Paths below are built on the server's answer, so a relative folder still
    // works once entered.
    std::string here = FtpPath::Folder(CurrentDirectory());
    std::vector<Entry> entries;
    ListRemote("*", entries);
    bool all = true;
    std::vector<std::string> folders;
    for (const Entry& e : entries) {
        // A hostile or broken server must not lead the download out of the local
        // folder.
        if (!FtpPath::IsSafeName(e.name)) {
            all = false;
            continue;
        }
        if (e.folder) {
            folders.push_back(e.name);
            CreateDirectoryA((local + e.name).c_str(), nullptr);
            continue;
        }
        if (Aborted(pAbort)) return FALSE;
        if (!DownloadFile(here + e.name, local + e.name, pAbort)) all = false;
    }
    for (const std::string& name : folders) {
        if (Aborted(pAbort)) return FALSE;
        if (!DownloadFolder(here + name + "/", local + name + "/", pAbort)) return FALSE;
    }
    return all && !Aborted(pAbort);
}

BOOL CFTPManip::UploadFolder(std::string local, std::string remote, const std::atomic<int>* pAbort) {
    local = FtpPath::Folder(local);
    remote = FtpPath::Folder(remote);
    if (!m_pConnection) return FALSE;
    for (const std::string& level : FtpPath::FolderLevels(remote))
        m_net.FtpCreateDirectoryA(m_pConnection, level.c_str());
    if (!m_net.FtpSetCurrentDirectoryA(m_pConnection, remote.c_str())) {
        ShowMessage("This folder don't exist.");
        return FALSE;
    }
    std::string here = FtpPath::Folder(CurrentDirectory());
    std::vector<Entry> entries;
    ListLocal(local + "*.*", entries);
    bool all = true;
    std::vector<std::string> folders;
    for (const Entry& e : entries) {
        if (e.folder) {
            folders.push_back(e.name);
            continue;
        }
        if (Aborted(pAbort)) return FALSE;
        if (!UploadFile(local + e.name, here + e.name, pAbort)) all = false;
    }
    for (const std::string& name : folders) {
        if (Aborted(pAbort)) return FALSE;
        if (!UploadFolder(local + name + "/", here + name + "/", pAbort)) return FALSE;
    }
    return all && !Aborted(pAbort);
}

void CFTPManip::DeleteRemoteFile(const std::string& remote) {
    if (m_pConnection) m_net.FtpDeleteFileA(m_pConnection, FtpPath::Normalise(remote).c_str());
}

void CFTPManip::DeleteRemoteFolder(std::string remote) {
    remote = FtpPath::Folder(remote);
    if (!m_pConnection || !m_net.FtpSetCurrentDirectoryA(m_pConnection, remote.c_str())) return;
    std::string here = FtpPath::Folder(CurrentDirectory());
    std::vector<Entry> entries;
    ListRemote("*", entries);
    std::vector<std::string> folders;
    for (const Entry& e : entries) {
        if (!FtpPath::IsSafeName(e.name)) continue;
        if (e.folder)
            folders.push_back(here + e.name + "/");
        else
            DeleteRemoteFile(here + e.name);
    }
    for (const std::string& f : folders)
        DeleteRemoteFolder(f);
    m_net.FtpSetCurrentDirectoryA(m_pConnection, (here + "..").c_str());
    m_net.FtpRemoveDirectoryA(m_pConnection, here.c_str());
}

#include "win32/FTPManip.h"

#include "core/FtpPath.h"
#include "win32/BlockPump.h"
#include "win32/Sha256Hasher.h"

namespace {
const DWORD kTimeoutMs = 20000;

bool Aborted(const std::atomic<int>* pAbort) {
    return pAbort->load() == 1;
}

// The text the platform has for an Internet error, with the server's own reply
// when there is one.
std::string PlatformText(const CWinInet& net, DWORD error) {
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

void AddEntry(const WIN32_FIND_DATAA& fd, std::vector<FolderEntry>& entries) {
    const std::string name = fd.cFileName;
    if (name != "." && name != "..")
        entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, fd.nFileSizeLow});
}

std::string LastName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

bool IsLocalFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CFTPManip::CFTPManip()
    // Without WinINet there is no session, and every connection attempt fails.
    : m_session(m_net.Loaded()
                    ? m_net.InternetOpenA("My Session", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
                    : nullptr) {
    // A server that stops answering must not hold the connecting window or a
    // transfer for long.
    DWORD timeout = kTimeoutMs;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
        if (m_session) m_net.InternetSetOptionA(m_session.Get(), option, &timeout, sizeof timeout);
}

// The connection goes before the session that holds it.
CFTPManip::~CFTPManip() {
    Close();
}

BOOL CFTPManip::Connect(const std::string& server, const std::string& user, const std::string& password,
                        INTERNET_PORT port) {
    HINTERNET c = m_session ? m_net.InternetConnectA(m_session.Get(), server.c_str(), port, user.c_str(),
                                                     password.c_str(), INTERNET_SERVICE_FTP, 0, 1)
                            : nullptr;
    if (c) {
        m_pConnection = c;
        return TRUE;
    }
    m_strError = PlatformText(m_net, m_session ? GetLastError() : ERROR_INVALID_HANDLE);
    m_session.Reset();
    return FALSE;
}

void CFTPManip::Close() {
    if (HINTERNET c = m_pConnection.exchange(nullptr)) m_net.InternetCloseHandle(c);
}

void CFTPManip::SetTransferType(FtpTransferType mode) {
    m_transferType = mode;
}

FtpTransferType CFTPManip::GetFileTransferType(const std::string& name) const {
    return FtpPath::TransferType(name);
}

void CFTPManip::Begin() {
    m_report = CTransferReport();
}

// Values that no file matched are reported; the result is the report's.
BOOL CFTPManip::End() {
    for (const std::string& path : m_hashes.Unmatched())
        m_report.Add(path, CTransferReport::Fault::Missing);
    return m_report.Complete();
}

BOOL CFTPManip::DownloadFile(std::string remote, std::string local, const std::atomic<int>* pAbort) {
    Begin();
    MoveFile(true, FtpPath::Normalise(remote), FtpPath::Normalise(local), "", pAbort);
    return End();
}

BOOL CFTPManip::UploadFile(std::string local, std::string remote, const std::atomic<int>* pAbort) {
    Begin();
    MoveFile(false, FtpPath::Normalise(local), FtpPath::Normalise(remote), "", pAbort);
    return End();
}

BOOL CFTPManip::DownloadFolder(std::string remote, std::string local, const std::atomic<int>* pAbort) {
    return MoveFolder(true, std::move(remote), std::move(local), pAbort);
}

BOOL CFTPManip::UploadFolder(std::string local, std::string remote, const std::atomic<int>* pAbort) {
    return MoveFolder(false, std::move(local), std::move(remote), pAbort);
}

bool CFTPManip::MoveFile(bool down, const std::string& source, const std::string& target,
                         const std::string& path, const std::atomic<int>* pAbort) {
    const std::string& remote = down ? source : target;
    const std::string& local = down ? target : source;
    const std::string name = path.empty() ? LastName(source) : path;
    if (Aborted(pAbort)) {
        m_report.m_stop = CTransferReport::Stop::Aborted;
        return false;
    }
    const FtpTransferType type =
        m_transferType == FtpTransferType::ByName ? GetFileTransferType(source) : m_transferType;
    const DWORD flags = type == FtpTransferType::Ascii ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    CInternetHandle file;
    CHandle disk;
    auto openRemote = [&] {
        const HINTERNET connection = m_pConnection;
        file.Reset(connection ? m_net.FtpOpenFileA(connection, remote.c_str(),
                                                   down ? GENERIC_READ : GENERIC_WRITE, flags, 1)
                              : nullptr);
        return bool(file);
    };
    auto openLocal = [&] {
        disk.Reset(down ? CreateFileA(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)
                        : CreateFileA(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        return bool(disk);
    };
    // The source is opened first, so that a missing one leaves the target alone.
    if (!(down ? openRemote() && openLocal() : openLocal() && openRemote())) {
        if (Aborted(pAbort)) // a cancel closes the connection
            m_report.m_stop = CTransferReport::Stop::Aborted;
        else
            m_report.Add(name, CTransferReport::Fault::Failed);
        return false;
    }
    const bool check = down && !m_hashes.Empty();
    std::unique_ptr<CSha256Hasher> hasher(check ? new CSha256Hasher : nullptr);
    const bool ok =
        MoveBlocks(down, file.Get(), disk.Get(), hasher.get(), pAbort) && CloseConfirmed(m_net, file);
    // After an abort the pump may still be in a call on this handle: closing it ends that call
    // where the platform can.
    file.Reset();
    disk.Reset();
    if (Aborted(pAbort)) { // what arrived stays, and nothing is opened
        m_report.m_stop = CTransferReport::Stop::Aborted;
        return false;
    }
    if (ok && (!check || m_hashes.Matches(path, hasher->Finish()))) return true;
    // Nothing broken or unverified is left where it could be opened.
    if (down)
        DeleteFileA(local.c_str());
    else
        DeleteRemoteFile(remote);
    m_report.Add(name, ok ? CTransferReport::Fault::Damaged : CTransferReport::Fault::Failed);
    return false;
}

// The counter moves once a block has reached its target.
bool CFTPManip::MoveBlocks(bool down, HINTERNET remote, HANDLE local, CSha256Hasher* hasher,
                           const std::atomic<int>* pAbort) {
    CBlockPump pump(remote, !down);
    // Until a read gives nothing: a short block is not the end of a file on a slow link.
    while (down) {
        const char* data = nullptr;
        DWORD got = 0, put = 0;
        if (Aborted(pAbort) || !pump.Next(data, got, pAbort)) return false;
        if (got == 0) return true;
        if (!WriteFile(local, data, got, &put, nullptr) || put != got) return false;
        if (hasher) hasher->Add(data, got);
        m_dwTransferred += got;
    }
    for (;;) {
        char* data = nullptr;
        DWORD size = 0, got = 0, sent = 0;
        const bool ok = !Aborted(pAbort) && pump.Free(data, size, sent, pAbort);
        m_dwTransferred += sent;
        if (!ok || !ReadFile(local, data, size, &got, nullptr)) return false;
        if (got == 0) {
            const bool drained = pump.Drain(sent, pAbort);
            m_dwTransferred += sent;
            return drained;
        }
        pump.Put(got);
    }
}

BOOL CFTPManip::ListRemote(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA fd;
    // WinINet runs one request per connection at a time, so the listing is read
    // whole and closed before any entry is acted on.
    const HINTERNET connection = m_pConnection;
    CInternetHandle find{
        connection ? m_net.FtpFindFirstFileA(connection, pattern.c_str(), &fd, INTERNET_FLAG_RELOAD, 0)
                   : nullptr};
    if (!find) return FALSE;
    do
        AddEntry(fd, entries);
    while (m_net.InternetFindNextFileA(find.Get(), &fd));
    return TRUE;
}

BOOL CFTPManip::ListLocal(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA fd;
    CFindHandle find{FindFirstFileA(pattern.c_str(), &fd)};
    if (!find) return FALSE;
    do
        AddEntry(fd, entries);
    while (FindNextFileA(find.Get(), &fd));
    return TRUE;
}

std::string CFTPManip::CurrentDirectory() {
    char dir[MAX_PATH + 1] = "";
    DWORD size = sizeof dir;
    const HINTERNET connection = m_pConnection;
    if (!connection || !m_net.FtpGetCurrentDirectoryA(connection, dir, &size)) return {};
    return dir;
}

std::string CFTPManip::GetRemoteDirectory() {
    return CurrentDirectory() + "/";
}

void CFTPManip::SetRemoteDirectory(const std::string& remote) {
    if (HINTERNET connection = m_pConnection)
        m_net.FtpSetCurrentDirectoryA(connection, FtpPath::Normalise(remote).c_str());
}

// Paths below a folder are built on the server's answer, so a relative folder still works once
// entered.
bool CFTPManip::EnterRemote(const std::string& folder, std::string& here) {
    const HINTERNET connection = m_pConnection;
    if (!connection || !m_net.FtpSetCurrentDirectoryA(connection, folder.c_str())) return false;
    here = CurrentDirectory();
    if (here.empty()) return false;
    here = FtpPath::Folder(here);
    return true;
}

bool CFTPManip::ListRemoteFolder(const std::string& folder, std::string& here,
                                 std::vector<FolderEntry>& entries) {
    if (!EnterRemote(folder, here)) return false;
    // An empty folder lists nothing, which is no failure.
    ListRemote("*", entries);
    return true;
}

CFolderPlan::Lister CFTPManip::RemoteLister() {
    return [this](const std::string& folder, std::string& here, std::vector<FolderEntry>& entries) {
        return ListRemoteFolder(folder, here, entries);
    };
}

bool CFTPManip::ListLocalFolder(const std::string& folder, std::string& here,
                                std::vector<FolderEntry>& entries) {
    here = folder;
    if (!IsLocalFolder(folder)) return false;
    ListLocal(folder + "*", entries);
    return true;
}

// Both directions alike: the target folder made, the source walked once, then the folders made and
// the files moved, each failure reported without ending the rest.
BOOL CFTPManip::MoveFolder(bool down, std::string source, std::string target,
                           const std::atomic<int>* pAbort) {
    Begin();
    source = FtpPath::Folder(source);
    target = FtpPath::Folder(target);
    const HINTERNET connection = m_pConnection;
    std::string here = target;
    for (const std::string& level : FtpPath::FolderLevels(target))
        if (down)
            CreateDirectoryA(level.c_str(), nullptr);
        else if (connection)
            m_net.FtpCreateDirectoryA(connection, level.c_str());
    if (down ? !IsLocalFolder(target) : !EnterRemote(target, here)) {
        m_report.m_stop = CTransferReport::Stop::NoFolder;
        return FALSE;
    }
    const std::string& local = down ? target : source;
    // Folders a little shorter than files, as CreateDirectory wants them.
    const std::size_t room = local.size() < MAX_PATH - 12 ? MAX_PATH - 12 - local.size() : 0;
    CFolderPlan plan;
    plan.m_nMaxEntries = m_nMaxEntries;
    plan.Build(down ? RemoteLister() : CFolderPlan::Lister(&CFTPManip::ListLocalFolder), source, room, pAbort,
               m_report);
    m_dwTotal = plan.m_dwTotal;
    if (m_report.m_stop != CTransferReport::Stop::None) return FALSE;
    for (const std::string& folder : plan.m_folders)
        if (down)
            CreateDirectoryA((here + folder).c_str(), nullptr);
        else if (const HINTERNET c = m_pConnection)
            m_net.FtpCreateDirectoryA(c, (here + folder).c_str());
    for (const CFolderPlan::File& file : plan.m_files)
        if (!MoveFile(down, file.source, here + file.path, file.path, pAbort) &&
            m_report.m_stop != CTransferReport::Stop::None)
            return FALSE;
    return End();
}

void CFTPManip::DeleteRemoteFile(const std::string& remote) {
    if (const HINTERNET connection = m_pConnection)
        m_net.FtpDeleteFileA(connection, FtpPath::Normalise(remote).c_str());
}

// Files first, then the folders from the deepest up; results are not looked at.
void CFTPManip::DeleteRemoteFolder(std::string remote) {
    std::string root;
    if (!EnterRemote(FtpPath::Folder(remote), root)) return;
    CFolderPlan plan;
    CTransferReport ignored;
    const std::atomic<int> never{0};
    plan.Build(RemoteLister(), root, MAX_PATH, &never, ignored);
    for (const CFolderPlan::File& file : plan.m_files)
        DeleteRemoteFile(file.source);
    const HINTERNET connection = m_pConnection;
    if (!connection) return;
    m_net.FtpSetCurrentDirectoryA(connection, (root + "..").c_str());
    for (auto folder = plan.m_folders.rbegin(); folder != plan.m_folders.rend(); ++folder)
        m_net.FtpRemoveDirectoryA(connection, (root + *folder).c_str());
    m_net.FtpRemoveDirectoryA(connection, root.c_str());
}

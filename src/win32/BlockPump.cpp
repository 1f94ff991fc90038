#include "win32/BlockPump.h"

#include <vector>

#include "core/BlockSizer.h"

namespace {
// How often a waiting transfer looks at its abort flag, and how long it then still waits for the
// call: closing the connection ends it on Windows, and a thread that ends is not left behind.
const DWORD kPollMs = 20;
const DWORD kGraceMs = 50;
} // namespace

struct CBlockPump::Shared {
    const CWinInet net;
    CHandle request{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    CHandle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    bool quit = false;
    bool write = false;
    HINTERNET file = nullptr;
    DWORD size = 0, moved = 0;
    BOOL ok = FALSE;
    std::vector<char> buffer = std::vector<char>(CBlockSizer::kMost);
};

CBlockPump::CBlockPump() : m_shared(std::make_shared<Shared>()) {
    if (!m_shared->net.Loaded() || !m_shared->request || !m_shared->done) return;
    std::shared_ptr<Shared> s = m_shared;
    m_thread.Start([s] {
        // The events order every hand-over: the fields are written before `request` is set and
        // read after `done` is.
        while (WaitForSingleObject(s->request.Get(), INFINITE) == WAIT_OBJECT_0 && !s->quit) {
            s->moved = 0;
            s->ok = s->write ? s->net.InternetWriteFile(s->file, s->buffer.data(), s->size, &s->moved)
                             : s->net.InternetReadFile(s->file, s->buffer.data(), s->size, &s->moved);
            SetEvent(s->done.Get());
        }
    });
}

CBlockPump::~CBlockPump() {
    if (!m_thread.Started()) return;
    // A thread still in its call sees this once the call returns.
    m_shared->quit = true;
    SetEvent(m_shared->request.Get());
    if (m_bLeft)
        m_thread.Detach();
    else
        m_thread.Join();
}

char* CBlockPump::Buffer() {
    return m_shared->buffer.data();
}

bool CBlockPump::Read(HINTERNET file, DWORD size, DWORD& got, const std::atomic<int>* pAbort) {
    return Call(false, file, size, got, pAbort);
}

bool CBlockPump::Write(HINTERNET file, DWORD size, const std::atomic<int>* pAbort) {
    DWORD put = 0;
    return Call(true, file, size, put, pAbort) && put == size;
}

bool CBlockPump::Call(bool write, HINTERNET file, DWORD size, DWORD& moved, const std::atomic<int>* pAbort) {
    moved = 0;
    if (!Usable()) return false;
    m_shared->write = write;
    m_shared->file = file;
    m_shared->size = size;
    SetEvent(m_shared->request.Get());
    while (WaitForSingleObject(m_shared->done.Get(), kPollMs) == WAIT_TIMEOUT) {
        if (pAbort->load() != 1) continue;
        if (WaitForSingleObject(m_shared->done.Get(), kGraceMs) == WAIT_OBJECT_0) break;
        m_bLeft = true;
        return false;
    }
    moved = m_shared->moved;
    return m_shared->ok != FALSE;
}

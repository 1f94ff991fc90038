#include "win32/BlockPump.h"

#include <utility>
#include <vector>

#include "core/BlockSizer.h"

namespace {
// How often a waiting transfer looks at its abort flag, and how long it then still waits for a
// call: closing the connection ends the call on Windows, and a thread that ends is not left behind.
const DWORD kPollMs = 10;
const DWORD kGraceMs = 25;
const int kSlots = 2;
} // namespace

// Two slots go round between the two sides: `free` counts those the filling side may take (the
// pump for a download, the transfer for an upload), `full` those the other side may take. What a
// side writes into a slot before releasing a count is seen by the side that takes it.
struct CBlockPump::Shared {
    struct Slot {
        std::vector<char> data = std::vector<char>(CBlockSizer::kMost);
        DWORD size = 0;
    };
    const CWinInet net;
    HINTERNET file = nullptr;
    bool upload = false;
    Slot slots[kSlots];
    CHandle free{CreateSemaphoreA(nullptr, kSlots, kSlots + 1, nullptr)};
    CHandle full{CreateSemaphoreA(nullptr, 0, kSlots + 1, nullptr)};
    std::atomic<bool> quit{false};
    std::atomic<bool> failed{false};
    std::atomic<DWORD> blockSize{CBlockSizer::kFirst}; // for an upload's transfer side

    void Pump();
    bool Write(const Slot& slot);
    bool Fill(Slot& slot, DWORD size, DWORD& moved);
};

bool CBlockPump::Shared::Write(const Slot& slot) {
    DWORD put = 0;
    return net.InternetWriteFile(file, slot.data.data(), slot.size, &put) && put == slot.size;
}

// One read per block: it gives what the line has brought, up to the block's size, so bytes that
// have arrived are counted even when the server then stalls.
bool CBlockPump::Shared::Fill(Slot& slot, DWORD size, DWORD& moved) {
    moved = 0;
    const bool ok = net.InternetReadFile(file, slot.data.data(), size, &moved) != FALSE;
    slot.size = moved;
    return ok;
}

void CBlockPump::Shared::Pump() {
    CBlockSizer sizer;
    for (int k = 0;; k = (k + 1) % kSlots) {
        WaitForSingleObject(upload ? full.Get() : free.Get(), INFINITE);
        if (quit) return;
        Slot& slot = slots[k];
        const DWORD start = GetTickCount();
        DWORD moved = 0;
        const bool ok = upload ? Write(slot) : Fill(slot, sizer.Size(), moved);
        sizer.Done(upload ? slot.size : moved, GetTickCount() - start);
        blockSize = sizer.Size();
        if (!ok) failed = true;
        ReleaseSemaphore(upload ? free.Get() : full.Get(), 1, nullptr);
        // A download reads nothing past its end or a failure.
        if (!upload && (!ok || moved == 0)) {
            while (!quit)
                WaitForSingleObject(free.Get(), INFINITE);
            return;
        }
    }
}

CBlockPump::CBlockPump(HINTERNET file, bool upload) : m_shared(std::make_shared<Shared>()) {
    m_shared->file = file;
    m_shared->upload = upload;
    if (!m_shared->net.Loaded() || !m_shared->free || !m_shared->full) return;
    std::shared_ptr<Shared> s = m_shared;
    m_thread.Start([s] { s->Pump(); });
}

CBlockPump::~CBlockPump() {
    if (!m_thread.Started()) return;
    m_shared->quit = true;
    ReleaseSemaphore(m_shared->free.Get(), 1, nullptr);
    ReleaseSemaphore(m_shared->full.Get(), 1, nullptr);
    if (m_bLeft)
        m_thread.Detach();
    else
        m_thread.Join(kGraceMs);
}

bool CBlockPump::Take(HANDLE semaphore, const std::atomic<int>* pAbort) {
    if (!m_thread.Started() || m_bLeft) return false;
    while (WaitForSingleObject(semaphore, kPollMs) == WAIT_TIMEOUT) {
        if (pAbort->load() != 1) continue;
        if (WaitForSingleObject(semaphore, kGraceMs) == WAIT_OBJECT_0) break;
        m_bLeft = true;
        return false;
    }
    return true;
}

bool CBlockPump::Next(const char*& data, DWORD& got, const std::atomic<int>* pAbort) {
    got = 0;
    if (m_bHeld) ReleaseSemaphore(m_shared->free.Get(), 1, nullptr);
    m_bHeld = false;
    if (!Take(m_shared->full.Get(), pAbort)) return false;
    m_bHeld = true;
    Shared::Slot& slot = m_shared->slots[m_nSlot];
    m_nSlot = (m_nSlot + 1) % kSlots;
    data = slot.data.data();
    got = slot.size;
    return !m_shared->failed;
}

bool CBlockPump::Free(char*& data, DWORD& size, DWORD& sent, const std::atomic<int>* pAbort) {
    sent = 0;
    if (!Take(m_shared->free.Get(), pAbort) || m_shared->failed) return false;
    Shared::Slot& slot = m_shared->slots[m_nSlot];
    sent = std::exchange(slot.size, 0);
    data = slot.data.data();
    size = m_shared->blockSize;
    return true;
}

void CBlockPump::Put(DWORD size) {
    m_shared->slots[m_nSlot].size = size;
    m_nSlot = (m_nSlot + 1) % kSlots;
    ReleaseSemaphore(m_shared->full.Get(), 1, nullptr);
}

bool CBlockPump::Drain(DWORD& sent, const std::atomic<int>* pAbort) {
    sent = 0;
    // The caller holds the slot its last Free gave; the others come back once written.
    for (int i = 1; i < kSlots; ++i)
        if (!Take(m_shared->free.Get(), pAbort)) return false;
    ReleaseSemaphore(m_shared->free.Get(), kSlots, nullptr);
    for (Shared::Slot& slot : m_shared->slots)
        sent += std::exchange(slot.size, 0);
    return !m_shared->failed;
}

#pragma once
#include <atomic>
#include <memory>

#include "win32/LateBound.h"
#include "win32/Thread.h"

// Moves the blocks of one remote file on a thread of its own, one block ahead of the transfer: a
// download's next block is read while the transfer writes the last one to the disk, an upload's
// last block is sent while the transfer reads the next one. The thread times its calls to size
// the blocks (CBlockSizer). It also lets a transfer stop waiting for a server that has stopped
// answering: WinINet's FTP data calls have no time limit under Wine, and closing their handle does
// not end them there. The thread and the buffers are held by what they share; a call that does
// not return keeps them, and the transfer leaves them behind.
class CBlockPump {
  public:
    CBlockPump(HINTERNET file, bool upload);
    // Waits a moment for a call still running, then leaves it.
    ~CBlockPump();
    CBlockPump(const CBlockPump&) = delete;
    CBlockPump& operator=(const CBlockPump&) = delete;

    // Each is FALSE when the file failed, or when *pAbort turned 1 while waiting.
    // A download's next block: `data` holds `got` bytes until the next call; none at the end.
    bool Next(const char*& data, DWORD& got, const std::atomic<int>* pAbort);
    // An upload's next buffer, to fill with up to `size` bytes and hand over with Put. `sent` is
    // what the block that last used it moved: it has arrived now.
    bool Free(char*& data, DWORD& size, DWORD& sent, const std::atomic<int>* pAbort);
    void Put(DWORD size);
    // An upload's end: every block handed over has arrived; `sent` is what the last ones moved.
    bool Drain(DWORD& sent, const std::atomic<int>* pAbort);

  private:
    struct Shared;
    // Takes one count of the semaphore; FALSE when *pAbort turned 1 first.
    bool Take(HANDLE semaphore, const std::atomic<int>* pAbort);

    std::shared_ptr<Shared> m_shared;
    CThread m_thread;
    int m_nSlot = 0;      // the next slot this side takes
    bool m_bHeld = false; // a download holds the block it last returned
    bool m_bLeft = false; // a call may still run, and is not waited for
};

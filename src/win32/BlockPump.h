#pragma once
#include <atomic>
#include <memory>

#include "win32/LateBound.h"
#include "win32/Thread.h"

// Runs the block reads and writes of remote files on a thread of its own, so that a transfer can
// stop waiting for a server that has stopped answering: WinINet's FTP data calls have no time
// limit under Wine, and closing their handle from another thread does not end them there. The
// thread and the buffer are held by what they share; a call that never returns keeps both, and
// the transfer leaves them behind.
class CBlockPump {
  public:
    CBlockPump();
    // Ends the thread, or leaves it to finish a call that has not returned.
    ~CBlockPump();
    CBlockPump(const CBlockPump&) = delete;
    CBlockPump& operator=(const CBlockPump&) = delete;

    // CBlockSizer::kMost bytes; the caller's between calls.
    char* Buffer();
    // FALSE when the call failed, or when *pAbort turned 1 before it returned; after that the
    // pump is of no more use.
    bool Read(HINTERNET file, DWORD size, DWORD& got, const std::atomic<int>* pAbort);
    bool Write(HINTERNET file, DWORD size, const std::atomic<int>* pAbort);
    bool Usable() const { return m_thread.Started() && !m_bLeft; }

  private:
    struct Shared;
    bool Call(bool write, HINTERNET file, DWORD size, DWORD& moved, const std::atomic<int>* pAbort);

    std::shared_ptr<Shared> m_shared;
    CThread m_thread;
    bool m_bLeft = false; // a call is still running and will not be waited for
};

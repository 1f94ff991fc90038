#pragma once
#include <windows.h>

#include <functional>

#include "win32/Scoped.h"

// One worker thread of the program, started with _beginthreadex so the C runtime knows it.
// The owner waits for it (Join) or lets it run on its own (Detach); the destructor joins.
class CThread {
  public:
    CThread() = default;
    ~CThread() { Join(); }
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // FALSE when the thread could not be made (or one already runs); the body then never runs.
    bool Start(std::function<void()> body, int priority = THREAD_PRIORITY_NORMAL);
    // Waits up to `ms` for the end and lets go of the thread: FALSE when it still ran.
    bool Join(DWORD ms = INFINITE);
    void Detach();
    bool Started() const { return bool(m_hThread); }

  private:
    static unsigned __stdcall Run(void* body);

    CHandle m_hThread;
};

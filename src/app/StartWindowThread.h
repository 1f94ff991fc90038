#pragma once
#include <windows.h>

#include <memory>

#include "win32/Thread.h"

class CStartDlg;
class SystemFacts;

// The start window on a thread of its own, so that it keeps painting while the main thread
// detects and builds the menu. The main frame starts it; the view hides it when the menu is ready.
class CStartWindowThread {
  public:
    CStartWindowThread();
    explicit CStartWindowThread(SystemFacts& facts);
    // Ends the window and waits a bounded time for its thread.
    ~CStartWindowThread();
    CStartWindowThread(const CStartWindowThread&) = delete;
    CStartWindowThread& operator=(const CStartWindowThread&) = delete;

    // Starts the thread at once, at the highest priority; false when it runs already or cannot start.
    bool Start();
    // Hides the start window without waiting for it: now, or as soon as its thread has created it.
    // Nothing happens when none was started.
    void Hide();
    // The start window once its thread has created it; nullptr before.
    HWND GetWindow() const;

  private:
    SystemFacts& m_facts;
    // Shared with the thread, which may outlive this object when it does not end in time.
    std::shared_ptr<CStartDlg> m_pStartDlg;
    CThread m_thread;
};

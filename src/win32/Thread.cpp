#include "win32/Thread.h"

#include <process.h>

#include <memory>

bool CThread::Start(std::function<void()> body, int priority) {
    if (m_hThread) return false;
    auto* owned = new std::function<void()>(std::move(body));
    const uintptr_t handle = _beginthreadex(nullptr, 0, &Run, owned, CREATE_SUSPENDED, nullptr);
    if (!handle) {
        delete owned;
        return false;
    }
    m_hThread.Reset(reinterpret_cast<HANDLE>(handle));
    if (priority != THREAD_PRIORITY_NORMAL) SetThreadPriority(m_hThread.Get(), priority);
    ResumeThread(m_hThread.Get());
    return true;
}

bool CThread::Join(DWORD ms) {
    if (!m_hThread) return true;
    const bool ended = WaitForSingleObject(m_hThread.Get(), ms) == WAIT_OBJECT_0;
    Detach();
    return ended;
}

void CThread::Detach() {
    m_hThread.Reset();
}

unsigned __stdcall CThread::Run(void* body) {
    std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(body));
    (*owned)();
    return 0;
}

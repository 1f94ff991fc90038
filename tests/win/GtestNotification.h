// Forced into every GoogleTest translation unit of the Windows tests. The -win32 compilers have no
// std::mutex or std::condition_variable, which GoogleTest's Notification is made of; this one, on a
// Win32 event, takes its place (GoogleTest's other locks are its own, on critical sections).
#pragma once
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {
class Notification {
  public:
    Notification() : m_hEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(m_hEvent); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(m_hEvent); }
    void WaitForNotification() { WaitForSingleObject(m_hEvent, INFINITE); }

  private:
    HANDLE m_hEvent;
};
} // namespace internal
} // namespace testing

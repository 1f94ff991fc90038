#include "app/StartWindowThread.h"

#include "app/StartDlg.h"
#include "core/SystemFacts.h"

namespace {
const DWORD kEndWaitMs = 5000;
} // namespace

CStartWindowThread::CStartWindowThread() : CStartWindowThread(DefaultSystemFacts()) {}

CStartWindowThread::CStartWindowThread(SystemFacts& facts) : m_facts(facts) {}

CStartWindowThread::~CStartWindowThread() {
    if (!m_thread.Started()) return;
    m_pStartDlg->End();
    m_thread.Join(kEndWaitMs);
}

bool CStartWindowThread::Start() {
    if (m_thread.Started()) return false;
    auto dialog = std::make_shared<CStartDlg>(m_facts);
    // The thread holds its own reference: it may outlive this object when it does not end in time.
    const bool started = m_thread.Start(
        [dialog]() mutable {
            // The browser is an OLE object: this thread is its apartment.
            const bool ole = SUCCEEDED(OleInitialize(nullptr));
            dialog->DoModal(nullptr);
            dialog.reset();
            if (ole) OleUninitialize();
        },
        THREAD_PRIORITY_HIGHEST);
    if (started) m_pStartDlg = dialog;
    return started;
}

void CStartWindowThread::Hide() {
    if (m_pStartDlg) m_pStartDlg->Hide();
}

HWND CStartWindowThread::GetWindow() const {
    return m_pStartDlg ? m_pStartDlg->GetWindow() : nullptr;
}

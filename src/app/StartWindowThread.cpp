#include "app/StartWindowThread.h"

#include "app/StartDlg.h"
#include "core/SystemFacts.h"

namespace {
const DWORD kEndWaitMs = 5000;
} // namespace

CStartWindowThread::CStartWindowThread() : CStartWindowThread(DefaultSystemFacts()) {}

CStartWindowThread::CStartWindowThread(SystemFacts& facts) : m_facts(facts) {}

CStartWindowThread::~CStartWindowThread() {
    if (!m_hThread) return;
    m_pStartDlg->End();
    WaitForSingleObject(m_hThread, kEndWaitMs);
    CloseHandle(m_hThread);
}

bool CStartWindowThread::Start() {
    if (m_hThread) return false;
    auto dialog = std::make_shared<CStartDlg>(m_facts);
    auto* param = new std::shared_ptr<CStartDlg>(dialog);
    HANDLE thread = CreateThread(nullptr, 0, &Run, param, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete param;
        return false;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    m_pStartDlg = dialog;
    m_hThread = thread;
    ResumeThread(thread);
    return true;
}

void CStartWindowThread::Hide() {
    if (m_pStartDlg) m_pStartDlg->Hide();
}

HWND CStartWindowThread::GetWindow() const {
    return m_pStartDlg ? m_pStartDlg->GetWindow() : nullptr;
}

DWORD WINAPI CStartWindowThread::Run(LPVOID param) {
    std::unique_ptr<std::shared_ptr<CStartDlg>> dialog(static_cast<std::shared_ptr<CStartDlg>*>(param));
    // The browser is an OLE object: this thread is its apartment.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    (*dialog)->DoModal(nullptr);
    dialog.reset();
    if (ole) OleUninitialize();
    return 0;
}

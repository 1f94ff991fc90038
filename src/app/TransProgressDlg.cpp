#include "app/TransProgressDlg.h"

#include <commctrl.h>

#include "ui/DialogTemplate.h"
#include "ui/PointFont.h"
#include "win32/LateBound.h"

namespace {
enum : UINT { UPM_STARTED = WM_APP + 61, UPM_TRANSFER_ENDED };
enum : int { kAnimation = 1001, kSource = 1002, kBar = 1003, kTimeLeft = 1004, kRate = 1005, kTarget = 1006 };
const UINT_PTR kTimer = 1;

const char kReading[] = "Reading from ";
const char kSaving[] = "Saving to ";
const char kTimeLeftLabel[] = "Estimated time left: ";
const char kRateLabel[] = "Transfer rate: ";
} // namespace

// The layout is fixed; the caption is set at initialisation.
const CDialogTemplate& CTransProgressDlg::Template() {
    static const CDialogTemplate t = [] {
        CDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_CENTER | DS_MODALFRAME, 0,
                          0, 200, 130, "", 10, "System");
        const DWORD line = WS_CHILD | WS_VISIBLE | WS_GROUP;
        t.AddItem("BUTTON", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 78, 111, 34, 12, "Cancel");
        t.AddItem(PROGRESS_CLASSA, kBar, WS_CHILD | WS_VISIBLE | WS_BORDER, 7, 51, 186, 9, "");
        t.AddItem("STATIC", kSource, line, 7, 30, 186, 19, "");
        t.AddItem("STATIC", kRate, line, 7, 77, 186, 8, "");
        t.AddItem("STATIC", kTimeLeft, line, 7, 65, 186, 8, "");
        t.AddItem(ANIMATE_CLASSA, kAnimation,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ACS_CENTER | ACS_TRANSPARENT, 7, 2, 186, 25, "");
        t.AddItem("STATIC", kTarget, line, 7, 88, 186, 22, "");
        return t;
    }();
    return t;
}

CTransProgressDlg::CTransProgressDlg(int direction, std::string caption, std::function<void()> cancel)
    : CDialog(Template().Get()), m_strCaption(std::move(caption)), m_nDirection(direction),
      m_cancel(std::move(cancel)), m_hReady(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

CTransProgressDlg::~CTransProgressDlg() = default;

INT_PTR CTransProgressDlg::DoModal() {
    // The comctl32 of Windows 95 and NT 4 has only the old call, which registers every class.
    const CCommonControlsInit controls;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    if (!controls.Loaded() || !controls.InitCommonControlsEx(&icc)) InitCommonControls();
    INT_PTR result = CDialog::DoModal(GetActiveWindow());
    SetEvent(m_hReady.Get()); // a dialog that could not be made must not hold the worker in Start
    return result;
}

BOOL CTransProgressDlg::OnInitDialog() {
    SetWindowTextA(m_hWnd, m_strCaption.c_str());
    const char* clip = m_nDirection == 0 ? "AviDownload" : m_nDirection == 1 ? "AviUpload" : nullptr;
    HWND animation = GetDlgItem(m_hWnd, kAnimation);
    if (clip && SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                             reinterpret_cast<LPARAM>(clip)))
        SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
    m_pFont = CreatePointFont(105, "Times New Roman");
    for (int id : {int(kSource), int(kTimeLeft), int(kRate), int(kTarget), IDCANCEL})
        SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont.Get()), FALSE);
    SetItemText(kSource, kReading);
    SetItemText(kTimeLeft, kTimeLeftLabel);
    SetItemText(kRate, kRateLabel);
    SetItemText(kTarget, kSaving);
    SendDlgItemMessageA(m_hWnd, kBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    EnableWindow(GetDlgItem(m_hWnd, IDCANCEL), FALSE);
    SetEvent(m_hReady.Get());
    return TRUE;
}

void CTransProgressDlg::Start(const std::string& source, const std::string& target,
                              const std::atomic<std::uint32_t>* total,
                              const std::atomic<std::uint32_t>* counter) {
    m_strSource = source;
    m_strTarget = target;
    m_pdwTotal = total;
    m_pdwCounter = counter;
    // The transfer's one-second start, on the worker: the dialog shows its bare labels for a second
    // before the paths and the first tick. The window itself is awaited below.
    Sleep(1000);
    WaitForSingleObject(m_hReady.Get(), INFINITE);
    // The window belongs to the other thread: it takes the texts and its timer from its own queue.
    PostMessageA(m_hWnd, UPM_STARTED, 0, 0);
}

void CTransProgressDlg::Finish() {
    PostMessageA(m_hWnd, UPM_TRANSFER_ENDED, 0, 0);
}

void CTransProgressDlg::OnStarted() {
    if (m_bAbort) return;
    SetItemText(kSource, kReading + m_strSource);
    SetItemText(kTarget, kSaving + m_strTarget);
    SetTimer(m_hWnd, kTimer, 1000, nullptr);
    EnableWindow(GetDlgItem(m_hWnd, IDCANCEL), TRUE);
}

void CTransProgressDlg::OnTimer() {
    CTransferProgress::Tick t = m_progress.OnTick(m_pdwCounter->load(), m_pdwTotal->load());
    SendDlgItemMessageA(m_hWnd, kBar, PBM_SETPOS, t.percent, 0);
    SetItemText(kRate, t.rate);
    if (!t.timeLeft.empty()) SetItemText(kTimeLeft, t.timeLeft);
}

// From the button, Esc or the close box. The window goes at once; the dialog itself stays until the
// worker says it has ended, since the worker still holds it and its flag. Closing what the worker
// waits on makes that soon, however the server behaves.
void CTransProgressDlg::OnCancel() {
    if (m_bAbort.exchange(1) == 1) return;
    KillTimer(m_hWnd, kTimer);
    ShowWindow(m_hWnd, SW_HIDE);
    if (m_cancel) m_cancel();
}

LRESULT CTransProgressDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case UPM_STARTED:
        OnStarted();
        return 0;
    case UPM_TRANSFER_ENDED:
        KillTimer(m_hWnd, kTimer);
        EndDialog(m_bAbort ? IDCANCEL : IDOK);
        return 0;
    case WM_TIMER:
        if (wp == kTimer) OnTimer();
        return 0;
    case WM_DESTROY:
        KillTimer(m_hWnd, kTimer);
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

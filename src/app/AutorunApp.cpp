#include "app/AutorunApp.h"

#include "app/AutorunDoc.h"
#include "app/AutorunView.h"
#include "app/MainFrame.h"
#include "app/Messages.h"
#include "core/CommandLine.h"
#include "core/RunMode.h"
#include "res/resource.h"
#include "win32/Scoped.h"

CAutorunApp::CAutorunApp() {
    char name[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_CLASSNAME, name, sizeof name);
    m_strClassName = name;
}

CAutorunApp::~CAutorunApp() = default;

// A running instance is brought to the front, with the dialog it may have open.
BOOL CAutorunApp::FindOtherInstance() {
    HWND other = FindWindowA(m_strClassName.c_str(), nullptr);
    if (!other) return FALSE;
    HWND popup = GetLastActivePopup(other);
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(popup);
    return TRUE;
}

BOOL CAutorunApp::RegisterWindowClass() {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = CWindow::WindowProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = m_strClassName.c_str();
    if (!RegisterClassA(&wc)) return FALSE;
    m_bClassRegistered = TRUE;
    return TRUE;
}

BOOL CAutorunApp::InitInstance(const std::string& commandLine, const std::vector<std::string>& words) {
    if (FindOtherInstance()) return FALSE;
    m_nExitCode = 1;
    if (!RegisterWindowClass()) return FALSE;

    m_pDoc = std::make_unique<CAutorunDoc>();
    if (!m_pDoc->AdmitUser()) {
        m_nExitCode = 0;
        return FALSE;
    }
    m_pFrame = std::make_unique<CMainFrame>();
    if (!m_pFrame->Create(m_strClassName)) return FALSE;
    m_pView = std::make_unique<CAutorunView>(*m_pDoc, *m_pFrame);
    if (!m_pView->Create(m_pFrame->m_hWnd)) return FALSE;

    // A plain word must name a file that opens; nothing is read from it. The words of a resume
    // line are the page file and section this program wrote, blanks and all.
    const RunModeChoice choice = ChooseRunMode(commandLine);
    const std::string document = choice.mode == RunMode::Resume ? std::string() : DocumentArgument(words);
    if (!document.empty()) {
        const CHandle file(
            CreateFileA(document.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file) {
            ShowMessage(FileErrorMessage(GetLastError()), document);
            return FALSE;
        }
    }

    m_nExitCode = 0;
    if (!m_pView->OnInitialUpdate(choice, commandLine)) return FALSE;
    m_pFrame->SetDocument(m_pDoc.get());
    HWND frame = m_pFrame->m_hWnd;
    SetForegroundWindow(frame);
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    InvalidateRect(frame, nullptr, TRUE);
    return TRUE;
}

int CAutorunApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}

int CAutorunApp::ExitInstance() {
    if (m_bClassRegistered) UnregisterClassA(m_strClassName.c_str(), GetModuleHandleA(nullptr));
    return m_nExitCode;
}

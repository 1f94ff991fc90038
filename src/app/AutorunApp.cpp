#include "app/AutorunApp.h"

#include "app/AutorunDoc.h"
#include "app/AutorunView.h"
#include "app/MachineReportFile.h"
#include "app/MainFrame.h"
#include "app/Messages.h"
#include "app/UnattendedInstall.h"
#include "core/CommandLine.h"
#include "core/QuietSwitches.h"
#include "core/RunMode.h"
#include "res/resource.h"
#include "win32/LogFile.h"
#include "win32/Scoped.h"

namespace {
// Where the messages of a run without a window go.
CLogFile* g_pQuietLog = nullptr;
void LogMessage(const std::string& text) {
    if (g_pQuietLog) g_pQuietLog->Write(InstallLog::NoteLine(CUnattendedInstall::Now(), "message: " + text));
}
} // namespace

CAutorunApp::CAutorunApp() {
    char name[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_CLASSNAME, name, sizeof name);
    m_strClassName = name;
}

CAutorunApp::~CAutorunApp() {
    SendMessagesTo(nullptr);
    g_pQuietLog = nullptr;
}

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
    const QuietSwitches quiet = QuietSwitches::Read(commandLine);
    if (quiet.Quiet()) return InitQuiet(quiet, commandLine);
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
    const RunModeChoice choice = ChooseRunMode(quiet.rest);
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
    if (!m_pView->OnInitialUpdate(choice, quiet.rest)) return FALSE;
    m_pFrame->SetDocument(m_pDoc.get());
    HWND frame = m_pFrame->m_hWnd;
    SetForegroundWindow(frame);
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    InvalidateRect(frame, nullptr, TRUE);
    return TRUE;
}

// The log first, so that every later failure has a place; its own failure is told in the default log.
// Then the machine, then whatever stops the run before it starts.
BOOL CAutorunApp::InitQuiet(const QuietSwitches& quiet, const std::string& commandLine) {
    m_pLog = std::make_unique<CLogFile>();
    const std::string named = quiet.log.empty() ? CLogFile::DefaultPath() : CLogFile::FullPath(quiet.log);
    const bool logWritable = m_pLog->Open(named);
    if (!logWritable) m_pLog->Open(CLogFile::DefaultPath());
    g_pQuietLog = m_pLog.get();
    SendMessagesTo(LogMessage);

    const RunModeChoice choice = ChooseRunMode(quiet.rest);
    m_pDoc = std::make_unique<CAutorunDoc>();
    m_pDoc->SetDetection(CreateDetectionObject(choice));
    SWInfo facts;
    m_pDoc->Detect()->GetSWInfo(&facts);
    m_pLog->Write(InstallLog::MachineLine(CUnattendedInstall::Now(), facts, commandLine));

    if (!logWritable) return EndQuiet(InstallExit::LogFailed, "cannot write the log " + named);
    if (!quiet.error.empty())
        return EndQuiet(InstallExit::BadCommandLine, "a switch without its value: " + quiet.error);
    if (choice.mode == RunMode::Dump || choice.mode == RunMode::Custom)
        return EndQuiet(InstallExit::BadCommandLine,
                        "-unattended and -report go with -sim and the resume line only: " + quiet.rest);
    if (!quiet.report.empty()) {
        std::string why;
        if (!WriteMachineReportFile(*m_pDoc, quiet.report, choice.mode == RunMode::Simulation, why))
            return EndQuiet(InstallExit::Failed, why);
        return EndQuiet(InstallExit::Done, "report written to " + quiet.report);
    }
    if (FindWindowA(m_strClassName.c_str(), nullptr))
        return EndQuiet(InstallExit::Failed, "another Autorun runs");
    if (!m_pDoc->AdmitUser()) return EndQuiet(InstallExit::Failed, "no administrator rights");
    // A hidden frame: Windows tells its top-level windows when the session ends.
    if (!RegisterWindowClass()) return EndQuiet(InstallExit::Failed, "cannot register the window class");
    m_pFrame = std::make_unique<CMainFrame>();
    if (!m_pFrame->Create(m_strClassName, true))
        return EndQuiet(InstallExit::Failed, "cannot create the main window");
    m_pFrame->m_pDoc = m_pDoc.get();
    m_pUnattended = std::make_unique<CUnattendedInstall>(*m_pLog, quiet.noRestart);
    InstallExit exit = InstallExit::Done;
    if (!m_pUnattended->Start(*m_pDoc, choice.mode == RunMode::Resume ? quiet.rest : std::string(),
                              m_pFrame->m_hWnd, exit)) {
        m_nExitCode = static_cast<int>(exit);
        return FALSE;
    }
    m_pDoc->m_pInstall = m_pUnattended->Engine();
    return TRUE;
}

BOOL CAutorunApp::EndQuiet(InstallExit exit, const std::string& reason) {
    m_pLog->Write(InstallLog::ResultLine(CUnattendedInstall::Now(), exit, reason));
    m_nExitCode = static_cast<int>(exit);
    return FALSE;
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

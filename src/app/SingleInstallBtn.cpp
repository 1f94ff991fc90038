#include "app/SingleInstallBtn.h"

#include "app/Messages.h"
#include "core/ResumeCommand.h"
#include "core/Token.h"
#include "ui/TipHost.h"

namespace {
// The five seconds "Installation complete" stays up before a sequence that asks for no restart ends
// the program. A timer, so that the wait window keeps painting meanwhile.
const UINT_PTR kCompleteTimer = 1;
const UINT kCompleteMs = 5000;

SWInfo FactsOf(CDevInfoCtrl& detect) {
    SWInfo info;
    detect.GetSWInfo(&info);
    return info;
}
} // namespace

CSingleInstallBtn::CSingleInstallBtn(std::string caption, std::string iniFile, std::string section,
                                     CDevInfoCtrl& detect, const TipStyle& style)
    : CButtonTip(std::move(caption), style),
      m_engine(std::move(iniFile), std::move(section), FactsOf(detect), *this) {}

std::unique_ptr<CSingleInstallBtn> CSingleInstallBtn::CreateForResume(const std::string& args, HWND view,
                                                                      CDevInfoCtrl& detect, int* step) {
    ResumeCommand resume;
    if (!ResumeCommand::Parse(args, resume)) return nullptr;
    const std::string iniFile = resume.PageFile(CToken().GetVariable("Path"));
    auto button = std::make_unique<CSingleInstallBtn>("", iniFile, resume.section, detect, TipStyleOn(view));
    if (!button->m_engine.CanResumeAt(resume.step)) {
        ShowMessage(Message::ResumeStepMissing, "step " + std::to_string(resume.step) + " of section [" +
                                                    resume.section + "] in " + iniFile);
        return nullptr;
    }
    button->Create("", WS_CHILD, {0, 0, 0, 0}, view, 0);
    *step = resume.step;
    return button;
}

bool CSingleInstallBtn::Create(LPCSTR caption, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CButtonTip::Create(caption, style, rect, parent, id) && m_engine.Create(parent);
}

bool CSingleInstallBtn::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    const bool handled = CButtonTip::OnReflected(msg, wp, lp, result);
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) OnClicked();
    return handled;
}

LRESULT CSingleInstallBtn::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == kCompleteTimer) {
        KillTimer(m_hWnd, kCompleteTimer);
        if (m_pWait) ShowWindow(m_pWait->m_hWnd, SW_HIDE);
        PostQuitMessage(0);
        return 0;
    }
    return CButtonTip::WindowProc(msg, wp, lp);
}

void CSingleInstallBtn::OnClicked() {
    if (m_engine.IsBusy()) return;
    HideTip();
    StartStep(1);
}

// A click and a resumed run both open the wait window here.
void CSingleInstallBtn::StartStep(int n) {
    OpenWaitWindow();
    m_engine.StartStep(n);
}

void CSingleInstallBtn::OpenWaitWindow() {
    m_pWait = std::make_unique<CWaitMsgDlg>();
    m_pWait->Create();
    m_pWait->StartBusy();
    SetWaitText("Installing, please wait...");
}

void CSingleInstallBtn::SetWaitText(const std::string& text) {
    if (m_pWait && m_pWait->m_hWnd) SetDlgItemTextA(m_pWait->m_hWnd, IDC_WAITMSG, text.c_str());
}

void CSingleInstallBtn::OnStepStarting(int, const std::string&, const std::string& progress) {
    SetWaitText(progress);
    if (m_pWait) m_pWait->ResetBusy();
}

void CSingleInstallBtn::OnStepNotStarted(DWORD error) {
    ShowMessage(Message::SystemError, SystemErrorText(error));
}

void CSingleInstallBtn::OnReboot(bool recorded) {
    // Without its resume entry the sequence would not go on after the restart: the user decides.
    if (recorded) {
        ShowMessage(Message::RebootNow);
    } else if (!AskMessage(Message::NoAutomaticResume)) {
        m_engine.Stop();
        m_pWait.reset();
        return;
    }
    RestartWindows();
}

void CSingleInstallBtn::OnFinish(CInstallEngine::Restart restart) {
    if (restart == CInstallEngine::Restart::Other) return;
    SetWaitText("Installation complete");
    if (m_pWait) m_pWait->StopBusy();
    if (restart == CInstallEngine::Restart::No) {
        SetTimer(m_hWnd, kCompleteTimer, kCompleteMs, nullptr);
        return;
    }
    if (m_pWait) ShowWindow(m_pWait->m_hWnd, SW_HIDE);
    ShowMessage(Message::InstallCompleteReboot);
    RestartWindows();
}

void CSingleInstallBtn::OnFailed(DWORD error) {
    ShowMessage(Message::SystemError, SystemErrorText(error));
    SetWaitText("Program will now EXIT");
}

void CSingleInstallBtn::RestartWindows() {
    for (RestartFailure failure : m_engine.RestartWindows())
        ShowMessage(failure == RestartFailure::NoToken       ? Message::RestartNoToken
                    : failure == RestartFailure::NoPrivilege ? Message::RestartNoPrivilege
                                                             : Message::RestartFailed);
}

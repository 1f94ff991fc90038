#include "app/SingleInstallBtn.h"

#include "app/Messages.h"
#include "core/DevInfoCtrl.h"
#include "core/IniFile.h"
#include "core/ResumeCommand.h"
#include "core/Token.h"
#include "ui/TipHost.h"
#include "win32/Process.h"
#include "win32/SystemRestart.h"

namespace {
using Action = CInstallSequence::Action;

SWInfo FactsOf(CDevInfoCtrl& detect) {
    SWInfo info;
    detect.GetSWInfo(&info);
    return info;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CSingleInstallBtn::CSingleInstallBtn(std::string caption, std::string iniFile, std::string section,
                                     CDevInfoCtrl& detect, const TipStyle& style)
    : CSingleInstallBtn(std::move(caption), std::move(iniFile), std::move(section), FactsOf(detect), style) {}

CSingleInstallBtn::CSingleInstallBtn(std::string caption, std::string iniFile, std::string section,
                                     const SWInfo& facts, const TipStyle& style)
    : CButtonTip(caption, style), m_strCaption(std::move(caption)), m_strIniFile(std::move(iniFile)),
      m_strSection(std::move(section)),
      m_bNT(facts.DetectOS != "Win95" && facts.DetectOS != "Win98" && facts.DetectOS != "WinME"),
      m_sequence(
          [this](const std::string& key, bool substituted, const std::string& def) {
              CIniFile ini(m_strIniFile);
              return substituted ? ini.GetValue(m_strSection, key, def)
                                 : ini.GetString(m_strSection, key, def);
          },
          facts.Lang) {}

std::unique_ptr<CSingleInstallBtn> CSingleInstallBtn::CreateForResume(const std::string& args, HWND view,
                                                                      CDevInfoCtrl& detect, int* step) {
    ResumeCommand resume;
    if (!ResumeCommand::Parse(args, resume)) return nullptr;
    const std::string iniFile = CToken().GetVariable("Path") + "\\" + resume.file;
    auto button = std::make_unique<CSingleInstallBtn>("", iniFile, resume.section, detect, TipStyleOn(view));
    if (!button->m_sequence.CanResumeAt(resume.step)) {
        ShowMessage(Message::ResumeStepMissing, "step " + std::to_string(resume.step) + " of section [" +
                                                    resume.section + "] in " + iniFile);
        return nullptr;
    }
    button->Create("", WS_CHILD, {0, 0, 0, 0}, view, 0);
    *step = resume.step;
    return button;
}

bool CSingleInstallBtn::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    const bool handled = CButtonTip::OnReflected(msg, wp, lp, result);
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) OnClicked();
    return handled;
}

LRESULT CSingleInstallBtn::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == UPM_FINISHED) return OnProcessFinished(wp, lp);
    if (msg == UPM_LINE) return OnProcessLine(wp, lp);
    if (msg == UPM_PROCESS_HANDLE) {
        // Only the end of the output tells that a step is done.
        CloseHandle(reinterpret_cast<HANDLE>(wp));
        return 0;
    }
    return CButtonTip::WindowProc(msg, wp, lp);
}

void CSingleInstallBtn::OnClicked() {
    if (m_sequence.IsBusy()) return;
    HideTip();
    OpenWaitWindow();
    StartStep(1);
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

void CSingleInstallBtn::StartStep(int n) {
    if (m_strCaption.empty()) {
        m_strCaption = "restart";
        OpenWaitWindow();
    }
    Carry(m_sequence.StartStep(n), 0);
}

// Does what the sequence asks for; `error` is the end of the step that led here.
void CSingleInstallBtn::Carry(const Action& action, DWORD error) {
    switch (action.kind) {
    case Action::Kind::None:
        break;
    case Action::Kind::Run:
        RunStepCommand(action.command, action.progress);
        break;
    case Action::Kind::Reboot:
        // Without its resume entry the sequence would not go on after the restart: the user decides.
        if (WriteResumeEntry()) {
            ShowMessage(Message::RebootNow);
        } else if (!AskMessage(Message::NoAutomaticResume)) {
            m_sequence.Stop();
            m_pWait.reset();
            break;
        }
        RestartWindows();
        break;
    case Action::Kind::Finish:
        Finish(action.restart);
        break;
    case Action::Kind::Failed:
        ShowMessage(Message::SystemError, SystemErrorText(error));
        SetWaitText("Program will now EXIT");
        break;
    }
}

void CSingleInstallBtn::Finish(Action::Restart restart) {
    if (restart == Action::Restart::Other) return;
    SetWaitText("Installation complete");
    if (m_pWait) m_pWait->StopBusy();
    if (restart == Action::Restart::No) Sleep(5000);
    if (m_pWait) ShowWindow(m_pWait->m_hWnd, SW_HIDE);
    if (restart == Action::Restart::No) {
        PostQuitMessage(0);
        return;
    }
    ShowMessage(Message::InstallCompleteReboot);
    RestartWindows();
}

BOOL CSingleInstallBtn::RunStepCommand(const std::string& command, const std::string& progress) {
    Sleep(500);
    CProcess process(command, m_hWnd, 0);
    process.SetDirectory(CInstallSequence::WorkingFolder(command, IsFolder));
    SetWaitText(progress);
    m_bStarted = process.Run();
    if (m_pWait) m_pWait->ResetBusy();
    if (!m_bStarted) ShowMessage(Message::SystemError, SystemErrorText(GetLastError()));
    return m_bStarted;
}

LRESULT CSingleInstallBtn::OnProcessFinished(WPARAM error, LPARAM) {
    m_bStarted = FALSE;
    Carry(m_sequence.OnFinished(static_cast<unsigned>(error)), static_cast<DWORD>(error));
    return 0;
}

LRESULT CSingleInstallBtn::OnProcessLine(WPARAM line, LPARAM) {
    delete reinterpret_cast<std::string*>(line);
    return 0;
}

void CSingleInstallBtn::OnEndSession() {
    m_sequence.Cancel();
    WriteResumeEntry();
}

bool CSingleInstallBtn::WriteResumeEntry() {
    const int step = m_sequence.TakeResumeStep();
    if (step == 0) return true;
    const std::string line =
        ResumeCommand::CommandLine(CToken().GetVariable("Path"), step, m_strIniFile, m_strSection);
    return !line.empty() && WriteRunOnce(line);
}

void CSingleInstallBtn::RestartWindows() {
    for (RestartFailure failure : ::RestartWindows(m_bNT))
        ShowMessage(failure == RestartFailure::NoToken       ? Message::RestartNoToken
                    : failure == RestartFailure::NoPrivilege ? Message::RestartNoPrivilege
                                                             : Message::RestartFailed);
}

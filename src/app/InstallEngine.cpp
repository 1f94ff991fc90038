#include "app/InstallEngine.h"

#include "core/IniFile.h"
#include "core/ResumeCommand.h"
#include "core/Token.h"

namespace {
using Action = CInstallSequence::Action;

// Half a second before each installer starts: the wait the sequence has always made between steps.
// A timer, so that the wait window keeps painting meanwhile.
const UINT_PTR kStepPauseTimer = 1;
const UINT kStepPauseMs = 500;

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CInstallEngine::CInstallEngine(std::string iniFile, std::string section, const SWInfo& facts, View& view)
    : m_strIniFile(std::move(iniFile)), m_strSection(std::move(section)),
      m_bNT(facts.DetectOS != "Win95" && facts.DetectOS != "Win98" && facts.DetectOS != "WinME"),
      m_view(view), m_sequence(
                        [this](const std::string& key, bool substituted, const std::string& def) {
                            CIniFile ini(m_strIniFile);
                            return substituted ? ini.GetValue(m_strSection, key, def)
                                               : ini.GetString(m_strSection, key, def);
                        },
                        facts.Lang) {}

bool CInstallEngine::Create(HWND parent) {
    return CWindow::Create("STATIC", "", WS_CHILD, {0, 0, 0, 0}, parent, 0);
}

void CInstallEngine::StartStep(int n) {
    Carry(m_sequence.StartStep(n), 0);
}

// Does what the sequence asks for; `error` is the end of the step that led here.
void CInstallEngine::Carry(const Action& action, DWORD error) {
    switch (action.kind) {
    case Action::Kind::None:
        break;
    case Action::Kind::Run:
        m_strPendingCommand = action.command;
        m_strPendingProgress = action.progress;
        m_bPending = true;
        SetTimer(m_hWnd, kStepPauseTimer, kStepPauseMs, nullptr);
        break;
    case Action::Kind::Reboot:
        m_view.OnReboot(WriteResumeEntry());
        break;
    case Action::Kind::Finish:
        m_view.OnFinish(action.restart);
        break;
    case Action::Kind::Failed:
        m_view.OnFailed(error);
        break;
    }
}

void CInstallEngine::RunPendingStep() {
    m_bPending = false;
    if (m_sequence.IsCancelled()) return;
    m_pProcess = std::make_unique<CProcess>(m_strPendingCommand, m_hWnd, 0);
    m_pProcess->SetDirectory(CInstallSequence::WorkingFolder(m_strPendingCommand, IsFolder));
    m_view.OnStepStarting(m_sequence.CurrentStep(), m_strPendingCommand, m_strPendingProgress);
    if (!m_pProcess->Run()) m_view.OnStepNotStarted(GetLastError());
}

void CInstallEngine::OnProcessFinished(DWORD error) {
    DWORD exitCode = 0;
    const bool exited = m_pProcess && m_pProcess->ExitCode(exitCode);
    m_pProcess.reset();
    m_view.OnStepEnded(error, exited, exitCode);
    Carry(m_sequence.OnFinished(error), error);
}

LRESULT CInstallEngine::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == UPM_FINISHED) {
        OnProcessFinished(static_cast<DWORD>(wp));
        return 0;
    }
    if (msg == UPM_LINE) {
        // Installers' output is not shown.
        if (m_pProcess) m_pProcess->TakeLines();
        return 0;
    }
    if (msg == WM_TIMER && wp == kStepPauseTimer) {
        KillTimer(m_hWnd, kStepPauseTimer);
        RunPendingStep();
        return 0;
    }
    return CWindow::WindowProc(msg, wp, lp);
}

void CInstallEngine::OnEndSession() {
    m_sequence.Cancel();
    KillTimer(m_hWnd, kStepPauseTimer);
    // A step still in its pause has not run: the next session starts with it.
    WriteResumeEntry(!m_bPending);
    m_view.OnSessionEnding();
}

bool CInstallEngine::WriteResumeEntry(bool currentStarted) {
    const int step = m_sequence.TakeResumeStep(currentStarted);
    if (step == 0) return true;
    const std::string line =
        ResumeCommand::CommandLine(CToken().GetVariable("Path"), step, m_strIniFile, m_strSection);
    return !line.empty() && WriteRunOnce(line + m_strResumeSwitches);
}

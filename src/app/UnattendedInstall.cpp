#include "app/UnattendedInstall.h"

#include <algorithm>

#include "app/AutorunDoc.h"
#include "app/MachineReportFile.h"
#include "app/Messages.h"
#include "core/QuietSwitches.h"
#include "core/ResumeCommand.h"
#include "core/Token.h"

LogTime CUnattendedInstall::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

bool CUnattendedInstall::Start(CAutorunDoc& doc, const std::string& resumeArgs, HWND parent,
                               InstallExit& exit) {
    CDevInfoCtrl& detect = *doc.Detect();
    SWInfo facts;
    detect.GetSWInfo(&facts);
    if (!resumeArgs.empty()) {
        ResumeCommand resume;
        if (!ResumeCommand::Parse(resumeArgs, resume)) {
            End({exit = InstallExit::BadCommandLine, false,
                 "not a resume line of this program: " + resumeArgs});
            return false;
        }
        return Begin(resume.PageFile(CToken().GetVariable("Path")), resume.section, facts, resume.step,
                     parent, exit);
    }
    const MachineReport cd = BuildDocumentReport(doc);
    if (const CdPage* p = InstallPage(cd.pages))
        return Begin(p->tab.file, p->page.install->section, facts, 1, parent, exit);
    End({exit = InstallExit::Failed, false,
         "the CD has no install section for board " + facts.MBModel + " on " + facts.DetectOS});
    return false;
}

bool CUnattendedInstall::Begin(const std::string& iniFile, const std::string& section, const SWInfo& facts,
                               int step, HWND parent, InstallExit& exit) {
    CInstallEngine::View& view = *this;
    m_pEngine = std::make_unique<CInstallEngine>(iniFile, section, facts, view);
    if (!m_pEngine->CanResumeAt(step) && step != 1) {
        End({exit = InstallExit::Failed, false,
             "step " + std::to_string(step) + " of section [" + section + "] in " + iniFile +
                 " was not found"});
        return false;
    }
    m_pEngine->SetResumeSwitches(QuietSwitches::ForResume(m_bNoRestart, m_log.Path()));
    m_pEngine->Create(parent);
    m_log.Write(InstallLog::NoteLine(Now(), "sequence: section [" + section + "] of " + iniFile + ", " +
                                                std::to_string(m_pEngine->StepCount()) +
                                                " steps, from step " + std::to_string(step)));
    m_pEngine->StartStep(step);
    return true;
}

void CUnattendedInstall::End(const UnattendedEnd& end) {
    if (m_bEnded) return;
    m_bEnded = true;
    m_log.Write(InstallLog::ResultLine(Now(), end.exit, end.reason));
    PostQuitMessage(static_cast<int>(end.exit));
}

void CUnattendedInstall::OnStepStarting(int n, const std::string& command, const std::string&) {
    m_nStep = n;
    m_strCommand = command;
    m_started = Now();
    m_dwStartTick = GetTickCount();
}

void CUnattendedInstall::OnStepEnded(DWORD error, bool exited, DWORD exitCode) {
    const int count = m_pEngine->StepCount();
    m_log.Write(error ? InstallLog::StepFailedLine(m_started, m_nStep, count, m_strCommand, error,
                                                   SystemErrorText(error))
                      : InstallLog::StepLine(m_started, m_nStep, count, m_strCommand, exited, exitCode,
                                             GetTickCount() - m_dwStartTick));
}

void CUnattendedInstall::OnFailed(DWORD error) {
    End({InstallExit::Failed, false,
         "step " + std::to_string(m_nStep) + " (" + m_strCommand + "): " + SystemErrorText(error)});
}

void CUnattendedInstall::OnReboot(bool recorded) {
    m_log.Write(InstallLog::RebootLine(Now(), m_pEngine->CurrentStep(), m_pEngine->StepCount(), recorded));
    Restart(InstallLog::AtReboot(recorded, m_bNoRestart));
}

void CUnattendedInstall::OnFinish(CInstallEngine::Restart restart) {
    Restart(InstallLog::AtFinish(restart, m_bNoRestart));
}

// A restart Windows refuses leaves it to the caller, as -norestart does.
void CUnattendedInstall::Restart(const UnattendedEnd& end) {
    std::vector<RestartFailure> failures;
    if (end.restartNow) failures = m_pEngine->RestartWindows();
    if (std::find(failures.begin(), failures.end(), RestartFailure::Refused) != failures.end())
        End({InstallExit::RestartNeeded, false, "Windows refused the restart; " + end.reason});
    else
        End(end);
}

void CUnattendedInstall::OnSessionEnding() {
    End({InstallExit::Cancelled, false,
         "Windows is ending the session during step " + std::to_string(m_nStep)});
}

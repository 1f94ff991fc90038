#pragma once
#include <memory>
#include <string>

#include "core/DevInfoCtrl.h"
#include "core/InstallSequence.h"
#include "ui/ButtonTip.h"
#include "ui/WaitMsgDlg.h"

// The one-click install button of a SingleInstall page: runs the numbered steps of its section one
// installer after the other, restarting Windows where a step says "Reboot" and recording where to
// go on. A resumed run makes a hidden one that carries on at the recorded step.
class CSingleInstallBtn : public CButtonTip {
  public:
    // The detection object gives the language of the steps and whether Windows is of the 9x family.
    CSingleInstallBtn(std::string caption, std::string iniFile, std::string section, CDevInfoCtrl& detect,
                      const TipStyle& style);

    // The hidden button of a resumed run, for the arguments Windows started the program with, and
    // the step to go on at. Null when nothing can resume: arguments this program did not write
    // (said nowhere), or a page file or section without that step (the user is told).
    static std::unique_ptr<CSingleInstallBtn> CreateForResume(const std::string& args, HWND view,
                                                              CDevInfoCtrl& detect, int* step);

    void StartStep(int n);
    // Starts one step's installer; `progress` is what the wait window shows while it runs.
    BOOL RunStepCommand(const std::string& command, const std::string& progress);
    int CountSteps() const { return m_sequence.CountSteps(); }
    bool IsBusy() const { return m_sequence.IsBusy(); }
    // Windows is ending the session: no further step starts, and a running sequence records the
    // step that must run next.
    void OnEndSession();
    // Records where the sequence goes on after a restart; false when that could not be recorded
    // (the page file or section cannot be written in the resume line, or the registry refused it).
    bool WriteResumeEntry();
    void RestartWindows();

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    CSingleInstallBtn(std::string caption, std::string iniFile, std::string section, const SWInfo& facts,
                      const TipStyle& style);
    void OnClicked();
    void OpenWaitWindow();
    void SetWaitText(const std::string& text);
    void Carry(const CInstallSequence::Action& action, DWORD error);
    void Finish(CInstallSequence::Action::Restart restart);
    LRESULT OnProcessFinished(WPARAM error, LPARAM cookie);
    LRESULT OnProcessLine(WPARAM line, LPARAM cookie);

    std::string m_strCaption;
    std::string m_strIniFile;
    std::string m_strSection;
    bool m_bNT;
    CInstallSequence m_sequence;
    BOOL m_bStarted = FALSE;
    std::unique_ptr<CWaitMsgDlg> m_pWait;
};

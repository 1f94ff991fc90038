#pragma once
#include <memory>
#include <string>

#include "app/InstallEngine.h"
#include "core/DevInfoCtrl.h"
#include "ui/ButtonTip.h"
#include "ui/WaitMsgDlg.h"

// The one-click install button of a SingleInstall page: the view of an install sequence that shows
// its progress in the wait window and asks the user where the sequence needs a word. A resumed run
// makes a hidden one that carries on at the recorded step.
class CSingleInstallBtn : public CButtonTip, private CInstallEngine::View {
  public:
    // The detection object gives the language of the steps and whether Windows is of the 9x family.
    CSingleInstallBtn(std::string caption, std::string iniFile, std::string section, CDevInfoCtrl& detect,
                      const TipStyle& style);

    // The hidden button of a resumed run, for the arguments Windows started the program with, and
    // the step to go on at. Null when nothing can resume: arguments this program did not write
    // (said nowhere), or a page file or section without that step (the user is told).
    static std::unique_ptr<CSingleInstallBtn> CreateForResume(const std::string& args, HWND view,
                                                              CDevInfoCtrl& detect, int* step);

    // Creates the button and the engine's window beside it.
    bool Create(LPCSTR caption, DWORD style, const RECT& rect, HWND parent, UINT id);
    // Runs the sequence from step `n` with the wait window open.
    void StartStep(int n);
    CInstallEngine& Engine() { return m_engine; }

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void OnClicked();
    void OpenWaitWindow();
    void SetWaitText(const std::string& text);
    void RestartWindows();

    void OnStepStarting(int n, const std::string& command, const std::string& progress) override;
    void OnStepNotStarted(DWORD error) override;
    void OnStepEnded(DWORD, bool, DWORD) override {}
    void OnReboot(bool recorded) override;
    void OnFinish(CInstallEngine::Restart restart) override;
    void OnFailed(DWORD error) override;

    CInstallEngine m_engine;
    std::unique_ptr<CWaitMsgDlg> m_pWait;
};

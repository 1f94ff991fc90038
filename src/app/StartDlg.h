#pragma once
#include <atomic>

#include "res/resource.h"
#include "ui/Dialog.h"
#include "ui/HtmlCtrl.h"

class SystemFacts;

// The start window (dialog 135): the CD's splash page during detection, run modally on a thread
// of its own. Hide and End may come from any thread, also before the window exists: a window
// that appears later follows them at once.
class CStartDlg : public CDialog {
  public:
    CStartDlg();
    explicit CStartDlg(SystemFacts& facts);

    void Hide();
    // Ends the modal loop. The program never does: the window stays hidden until the process ends.
    void End();
    // The window from its initialisation until it is destroyed; nullptr otherwise. Any thread.
    HWND GetWindow() const { return m_hWndShared; }

    CHtmlCtrl m_html;

  protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void PostRequest();

    SystemFacts& m_facts;
    std::atomic<HWND> m_hWndShared{nullptr};
    std::atomic<bool> m_bHide{false}, m_bEnd{false};
};

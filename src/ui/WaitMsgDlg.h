#pragma once
#include "ui/BusyProgressCtrl.h"
#include "ui/Dialog.h"

#include "res/resource.h"

// The borderless "please wait" box (dialog 147): one line of text (item 1004) and a busy bar
// (item 1010) that runs on its own thread while the caller works.
class CWaitMsgDlg : public CDialog {
  public:
    explicit CWaitMsgDlg(HWND owner = nullptr) : CDialog(IDD_WAIT), m_hOwner(owner) {}

    // Modeless, shown at once.
    bool Create();
    void StartBusy();
    void StopBusy();
    void ResetBusy() { m_busyBar.Reset(); }

    CBusyProgressCtrl m_busyBar{10, 0};

  protected:
    BOOL OnInitDialog() override;

  private:
    HWND m_hOwner;
};

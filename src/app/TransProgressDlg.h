#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "core/TransferProgress.h"
#include "ui/Dialog.h"
#include "win32/Scoped.h"

class CDialogTemplate;

// The modal window over a transfer that runs on a worker thread: a looping animation, where the data
// comes from and goes to, a percentage bar, the rate of the last second, the time left, and Cancel.
// It only watches: the worker increments the counter, and tells the dialog when it has ended, which
// is what closes it (the counter alone cannot say so: it may never reach the total, or pass it).
class CTransProgressDlg : public CDialog {
  public:
    // direction 0 download, 1 upload. `cancel` runs on this thread when the user cancels, to cut
    // short whatever the worker waits for.
    CTransProgressDlg(int direction, std::string caption, std::function<void()> cancel = {});
    ~CTransProgressDlg() override;

    // IDOK when the transfer ended by itself, IDCANCEL when the user cancelled it.
    INT_PTR DoModal();
    // Worker thread: once the window exists, show the two paths and start the ticks. The total
    // may still grow while the transfer lists a folder.
    void Start(const std::string& source, const std::string& target, const std::atomic<std::uint32_t>* total,
               const std::atomic<std::uint32_t>* counter);
    // Worker thread: the transfer has ended; nothing of the dialog is used after this call.
    void Finish();
    int IsAborted() const { return m_bAbort.load(); }

    std::atomic<int> m_bAbort{0};

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override {} // Enter does not end a transfer
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void OnStarted();
    void OnTimer();
    void SetItemText(int id, const std::string& text) { SetDlgItemTextA(m_hWnd, id, text.c_str()); }

    static const CDialogTemplate& Template();

    std::string m_strCaption;
    int m_nDirection;
    std::function<void()> m_cancel;
    std::string m_strSource, m_strTarget;
    const std::atomic<std::uint32_t>* m_pdwTotal = nullptr;
    const std::atomic<std::uint32_t>* m_pdwCounter = nullptr;
    CTransferProgress m_progress;
    CFont m_pFont;
    CHandle m_hReady; // set once the window exists, or once DoModal has returned without one
};

#pragma once
#include <string>

#include "ui/Dialog.h"

// The choice of a mirror server (dialog 146): the names of ModelMap.ini's [FTP SITE], sorted by the
// list box. A double click chooses at once.
class CFtpSiteMirrorDlg : public CDialog {
  public:
    // `modelMap` defaults to the live folder's ModelMap.ini.
    explicit CFtpSiteMirrorDlg(HWND owner = nullptr, std::string modelMap = {});
    ~CFtpSiteMirrorDlg() override = default;

    INT_PTR DoModal() { return CDialog::DoModal(m_hOwner ? m_hOwner : GetActiveWindow()); }

    std::string m_strSite; // the last selected name; empty until one is selected

  protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void OnSelChange();

    HWND m_hOwner;
    std::string m_strModelMap;
    HWND m_listSites = nullptr;
};

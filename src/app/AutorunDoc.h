#pragma once
#include <windows.h>

#include <list>
#include <memory>
#include <string>

#include "core/DevInfo.h"
#include "core/DevInfoCtrl.h"
#include "core/MenuModel.h"

class CBtnST;
class CLiveUpdateListPage;
class CInstallEngine;
class CTabBtn;

// The menu Root.ini describes and the hardware it was chosen for: the detection object, the
// device list, the tabs and the fixed buttons, and the commands of those buttons.
class CAutorunDoc {
  public:
    CAutorunDoc();
    virtual ~CAutorunDoc();

    // On the NT family a user without administrator rights is told so: false, and the program ends.
    bool AdmitUser() const;

    // Detects the devices and creates the tabs, their pages and the fixed buttons in `parent`.
    void BuildMenu(HWND parent);
    // A command of a menu button; false when it is none of the document's.
    bool OnCommand(UINT id);
    void SelectTab(UINT id);
    void ShowLiveUpdate(BOOL show);
    void RefreshBackgrounds();

    // The detection object, or null once it was deleted (its deletion also removes the port-I/O
    // service, so it happens at most once, by DeleteDetection).
    CDevInfoCtrl* Detect() const { return m_pDetect.get(); }
    void SetDetection(std::unique_ptr<CDevInfoCtrl> detect) { m_pDetect = std::move(detect); }
    void DeleteDetection() { m_pDetect.reset(); }

    std::list<std::unique_ptr<CTabBtn>> m_tabs; // the last created first
    std::string m_strDefaultCaption;
    std::string m_strSubCaption;
    std::string m_strReadMe;
    std::string m_strRootIni;
    std::unique_ptr<CBtnST> m_pCloseBtn;
    std::unique_ptr<CBtnST> m_pWebBtn;
    std::unique_ptr<CBtnST> m_pBrowseBtn;
    BOOL m_bSilent = FALSE;
    // The install sequence a log-off must stop: the install button's (owned by its tab), or the one
    // of a resumed or unattended run (owned by the view).
    CInstallEngine* m_pInstall = nullptr;
    CDevList m_devices;

  private:
    // Runs the detection and creates the tabs; gives the menu for the fixed buttons.
    MenuModel CreateTabs(HWND parent);
    void CreateFixedButtons(const MenuModel& menu, HWND parent);
    void OnCloseButton();
    void OnBrowseCD();
    void OnLiveUpdate();
    CTabBtn* LiveUpdateTab() const;

    std::unique_ptr<CDevInfoCtrl> m_pDetect;
    BOOL m_bLiveUpdateActive = FALSE; // a list page replaced the start page for good
    std::unique_ptr<CLiveUpdateListPage> m_pLivePage;
};

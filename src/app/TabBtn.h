#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/ExecBtn.h"
#include "core/DevInfo.h"
#include "core/PageModel.h"
#include "ui/BtnST.h"
#include "ui/MyStatic.h"

class CAutorunDoc;
class CSingleInstallBtn;

// One tab of the row and the page it owns. The page's buttons are children of the tab's parent
// (the view), created once when the tab is created and only shown or hidden afterwards.
class CTabBtn : public CBtnST {
  public:
    // Tabs have no tool tip: the document never gave them a text, and an empty tip never shows but
    // would cost a window of its own per tab.
    CTabBtn(std::string caption, std::string file, const CDevList* devices, CAutorunDoc* doc);
    ~CTabBtn() override; // where its page buttons' types are complete

    // Creates the tab's window and builds its page from the page file.
    BOOL Create(LPCSTR caption, const RECT& rect, HWND parent, UINT id);
    void SetTabFont(int tenthsOfPoint);
    void ShowPage();
    void HidePage();
    void RefreshBackgrounds();
    bool IsLiveUpdatePage() const { return m_type == PageType::Liveupdate; }

    std::string m_strFile;
    std::string m_strCaption;
    std::vector<std::unique_ptr<CExecBtn>> m_pageButtons; // top to bottom
    std::unique_ptr<CSingleInstallBtn> m_pInstallBtn;
    const CDevList* m_pDevices;
    std::unique_ptr<CBtnST> m_pStartBtn;
    std::unique_ptr<CMyStatic> m_pStartMsg;
    std::string m_strIniType;
    CAutorunDoc* m_pDoc;

  private:
    std::unique_ptr<CExecBtn> CreateExecButton(const PageButtonModel& model, HWND parent);
    void BuildSingleInstallPage(const InstallButtonModel& model, HWND parent);
    void BuildLiveUpdateStartPage(HWND parent);
    void LayoutPage(const PageModel& page);

    PageType m_type = PageType::None;
    CFont m_hFont;
};

#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ExecBtn.h"
#include "core/DevInfo.h"

class CIniFile;

// The live-update list: fetches ModelMap.ini and the board's Drivers.ini from the list server named
// in LiveUpdate.ini into the live folder, then shows one fetch button per device the list offers a
// driver for.
class CLiveUpdateListPage {
  public:
    // `liveUpdateIni` defaults to LiveUpdate.ini in the program's folder.
    explicit CLiveUpdateListPage(std::string liveUpdateIni = {});
    virtual ~CLiveUpdateListPage() = default;

    // FALSE when the live folder is unknown, the server cannot be reached or a list is missing or
    // cancelled (the FTP session has shown why).
    BOOL LoadLists(const CDevList& devices);
    std::string FindModelFolder(const CDevList& devices, const std::string& modelMap) const;
    // The buttons on `parent`, below one another in the order of the sections in Drivers.ini.
    // `tabId` is the live-update tab's control id.
    void BuildPage(HWND parent, int tabId, const CDevList& devices);
    void HideAll();
    void ShowAll();

    HWND m_pParent = nullptr;
    std::string m_strModel;                           // lower case
    std::vector<std::unique_ptr<CExecBtn>> m_buttons; // in position order

  private:
    std::unique_ptr<CExecBtn> CreateButton(const std::string& section, const CIniFile& drivers, HWND parent,
                                           UINT id, int n);

    std::string m_strLiveUpdateIni;
};

#pragma once
#include <windows.h>

#include <string>

#include "core/DevInfo.h"

// The live-update list: fetches ModelMap.ini and the board's Drivers.ini from the list server named
// in LiveUpdate.ini into the live folder.
class CLiveUpdateListPage {
  public:
    // `liveUpdateIni` defaults to LiveUpdate.ini in the program's folder.
    explicit CLiveUpdateListPage(std::string liveUpdateIni = {});
    virtual ~CLiveUpdateListPage() = default;

    // FALSE when the live folder is unknown, the server cannot be reached or a list is missing or
    // cancelled (the FTP session has shown why).
    BOOL LoadLists(const CDevList& devices);
    std::string FindModelFolder(const CDevList& devices, const std::string& modelMap) const;

    std::string m_strModel; // lower case

  private:
    std::string m_strLiveUpdateIni;
};

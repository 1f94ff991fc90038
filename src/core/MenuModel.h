#pragma once
#include <string>
#include <vector>

#include "core/DevInfo.h"
#include "core/Rect.h"

class CIniFile;

// One tab of the row, as the document creates it.
struct TabModel {
    std::string section; // the tab's section in Root.ini
    std::string caption;
    std::string file; // the page file
    int id = 0;       // 10001 for the first created tab, and so on
    Rect rect;
};

// A fixed button of the window: Close, the web link or Browse CD.
struct FixedButtonModel {
    std::string caption;
    int id = 0;
    Rect rect;
    std::string key; // the Root key its rectangle is read from
};

// What Root.ini asks the window to show, with the device list and language already applied.
struct MenuModel {
    std::string defaultCaption; // title
    std::string subCaption;     // subtitle; "ByModel" already resolved
    std::string readMe;         // read-me opened by Browse CD; "ByModel" already resolved
    int tabWidth = 0;           // slot per tab, gap included; 0 when no tab counts
    std::vector<TabModel> tabs; // in creation order
    // The section named by TabButton1, TabButton2 ... up to the first missing one, tab or not.
    std::vector<std::string> tabSections;
    FixedButtonModel close, web;
    bool hasBrowse = false;
    FixedButtonModel browse;
};

enum : int {
    kFirstTabId = 10001,
    kCloseId = 20001,
    kWebId = 20002,
    kBrowseId = 20003,
};

// Root.ini of the CD whose program lies in `programFolder` (the variable Path).
std::string RootIniPath(const std::string& programFolder);

// The maker's site: the web-link button opens it and shows it as its tip.
extern const char* const kMakerWebSite;

// Keeps the first of the records that share a non-empty VenDevSubsys or HardwareId, in order.
void RemoveDuplicateDevices(CDevList& devices);

// Root.ini read against the de-duplicated device list; `lang` is the detection's language code.
MenuModel BuildMenuModel(const CIniFile& root, const CDevList& devices, const std::string& lang);

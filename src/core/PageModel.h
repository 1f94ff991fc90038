#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/DevInfo.h"
#include "core/Rect.h"

class CIniFile;
class CDevInfoCtrl;

// One action button of a page.
struct PageButtonModel {
    std::string section; // its section in the page file (tips read further keys there)
    std::string caption;
    std::string behavior;
    std::string file;
    std::string note;
    int order = 0;                    // position of a Driver section in the file; 0 elsewhere
    int changeCurrDir = 0;            // Driver pages only
    const CDevInfo* device = nullptr; // Driver pages: the device the button is for, in the list given
    int id = 0;                       // PageColumn::ButtonId
    Rect rect;                        // its place in the column
};

// The install button of a SingleInstall page.
struct InstallButtonModel {
    std::string caption;
    std::string note;
    std::string section; // the section holding the install steps
    int id = 0;
    Rect rect;
};

// The start message and start button of a Liveupdate page.
struct LiveStartModel {
    std::string message;
    Rect messageRect;
    std::string caption;
    Rect buttonRect;
};

enum : int {
    kLiveStartButtonId = 20004,
    kLiveStartMessageId = 20005,
};

enum class PageType { None, Normal, Driver, MBDependent, SingleInstall, Liveupdate };

// The page types by the names page files give them: the one list of them that the program, the CD
// authors' tools and their tests read.
struct PageTypeName {
    const char* word;
    PageType type;
};
inline constexpr PageTypeName kPageTypes[] = {
    {"Normal", PageType::Normal},           {"Driver", PageType::Driver},
    {"MBDependent", PageType::MBDependent}, {"SingleInstall", PageType::SingleInstall},
    {"Liveupdate", PageType::Liveupdate},
};

// The page type a page file names, in any case; None for any other text.
PageType PageTypeOf(const std::string& iniType);

// The name of a page type; empty for None.
std::string PageTypeNameOf(PageType type);

// Every page type's name, in the table's order, separated by ", ".
std::string PageTypeList();

// The column of page buttons: from y = 130, 30 pixels high with 5 between, and their ids, counted per tab.
namespace PageColumn {
constexpr int kLeft = 50;
constexpr int kTop = 130;
constexpr int kWidth = 250;
constexpr int kHeight = 30;
constexpr int kStep = 35;
// The place of the button at `index` (0 at the top).
Rect Slot(int index);
// The id of the button that a tab with id `tabId` makes after `made` others: 10 x (tab number) + made.
int ButtonId(int tabId, int made);
} // namespace PageColumn

// A button entry of a Normal or MBDependent page ("Button" + n of its list section), button or not.
struct PageEntryModel {
    std::string list;    // the section holding the entry
    std::string key;     // "Button" + n
    std::string section; // the section it names
};

struct PageModel {
    std::string iniType; // the page type as written
    PageType type = PageType::None;
    std::vector<PageButtonModel> buttons; // top to bottom
    std::vector<PageEntryModel> entries;  // in reading order
    std::optional<InstallButtonModel> install;
};

// Highest button entry a page reads: a larger BtnNum only costs reads, never adds a button that
// could be seen, so the reading stops here.
constexpr int kMaxButtonEntries = 1000;

// The page that a page file describes for a tab with id `tabId`. `detect` supplies the language,
// board model and operating system, and expands their tags. A Liveupdate page comes back without
// buttons: its start controls come from BuildLiveStartModel.
PageModel BuildPageModel(const CIniFile& page, int tabId, const CDevList& devices, CDevInfoCtrl& detect);

// The start page of the live update from LiveUpdate.ini; `lang` is the user's language code.
LiveStartModel BuildLiveStartModel(const CIniFile& liveUpdate, const std::string& lang);

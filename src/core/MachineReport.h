#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/CdPage.h"
#include "core/DevInfoCtrl.h"
#include "core/MenuModel.h"

// What one machine gets from a CD: what the program detects on it, the menu it shows and the
// sequence it installs. The program's -report and autorun-preview --json both write this, so for
// the same dump they say the same.
struct MachineReport {
    SWInfo machine;
    // Facts of a machine the program runs on; a replayed dump does not record them (null).
    std::optional<bool> wine;
    std::optional<std::string> biosProvider, biosDate;
    CDevList devices; // without duplicates, in detection order
    MenuModel menu;
    std::string background;
    std::vector<CdPage> pages; // one per tab, in tab order
};

// What the program builds for the machine `detect` sees, as the document builds its window: the
// devices without duplicates, the menu and background of Root.ini `root`, and each tab's page as
// `page` reads it. The facts only a live machine has are left unset.
MachineReport BuildMachineReport(CDevInfoCtrl& detect, const CIniFile& root,
                                 const std::function<CdPage(const TabModel&, const CDevList&)>& page);

// The names the report and the preview give a page type and the end of a sequence.
std::string ReportPageTypeName(PageType type); // "none" for a page of no known type
const char* SequenceEnding(CInstallSequence::Action::Restart restart);

// The report as JSON (the schema is docs/machine-report.schema.json), texts converted to UTF-8 from
// the ANSI code page `codePage`.
nlohmann::ordered_json MachineReportJson(const MachineReport& report, unsigned codePage);

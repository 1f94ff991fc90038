// Prints the menu that Autorun.exe shows on a CD folder for the board of a detection dump, as the
// program builds it (-sim mode): tabs, pages, buttons with ids, captions, rectangles, actions and files.
// --json prints the machine report that Autorun.exe -sim -report writes for the same dump.
//   autorun-preview CD_FOLDER --dump FILE [--json]
// The dump's language stands for the user's language too. Exit code 2 when the CD or the dump cannot
// be read (the reason on stderr).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/CdFacts.h"
#include "core/CdReader.h"
#include "core/DevSimulation.h"
#include "core/JsonText.h"
#include "core/MachineReport.h"
#include "core/ProfileSnapshot.h"

namespace {
using Kind = CInstallSequence::Action::Kind;
using Restart = CInstallSequence::Action::Restart;

std::string RectText(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

std::vector<const FixedButtonModel*> FixedButtons(const MenuModel& m) {
    std::vector<const FixedButtonModel*> v{&m.close, &m.web};
    if (m.hasBrowse) v.push_back(&m.browse);
    return v;
}

void PrintText(const MachineReport& m) {
    std::printf("Title: %s\nSubtitle: %s\nRead-me: %s\nBackground: %s\n", m.menu.defaultCaption.c_str(),
                m.menu.subCaption.c_str(), m.menu.readMe.c_str(), m.background.c_str());
    for (const FixedButtonModel* b : FixedButtons(m.menu))
        std::printf("Button %d \"%s\" %s%s\n", b->id, b->caption.c_str(), RectText(b->rect).c_str(),
                    b->id == kWebId ? (std::string(" link ") + kMakerWebSite).c_str() : "");
    for (const CdPage& p : m.pages) {
        std::printf("Tab %d \"%s\" %s: %s page %s\n", p.tab.id, p.tab.caption.c_str(),
                    RectText(p.tab.rect).c_str(), ReportPageTypeName(p.page.type).c_str(),
                    p.tab.file.c_str());
        for (const PageButtonModel& b : p.page.buttons)
            std::printf("  Button %d \"%s\" %s %s %s\n", b.id, b.caption.c_str(), RectText(b.rect).c_str(),
                        b.behavior.c_str(), b.file.c_str());
        if (const auto& i = p.page.install) {
            std::printf("  Install %d \"%s\" %s section %s\n", i->id, i->caption.c_str(),
                        RectText(i->rect).c_str(), i->section.c_str());
            for (std::size_t n = 0; n < p.steps.size(); ++n) {
                const CInstallSequence::Action& a = p.steps[n];
                if (a.kind == Kind::Run)
                    std::printf("    Step %zu: run %s (%s)\n", n + 1, a.command.c_str(), a.progress.c_str());
                else if (a.kind == Kind::Reboot)
                    std::printf("    Step %zu: restart Windows and go on\n", n + 1);
                else
                    std::printf("    Then: %s\n", SequenceEnding(a.restart));
            }
        }
        if (const auto& l = p.live) {
            std::printf("  Message %d %s \"%s\"\n", kLiveStartMessageId, RectText(l->messageRect).c_str(),
                        l->message.c_str());
            std::printf("  Button %d \"%s\" %s starts the live update\n", kLiveStartButtonId,
                        l->caption.c_str(), RectText(l->buttonRect).c_str());
        }
    }
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "autorun-preview: %s\n", why.c_str());
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    std::string folder, dump;
    bool json = false, usage = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json")
            json = true;
        else if (arg == "--dump" && i + 1 < argc)
            dump = argv[++i];
        else if (folder.empty() && !arg.empty() && arg[0] != '-')
            folder = arg;
        else
            usage = true;
    }
    if (usage || folder.empty() || dump.empty())
        return Fail("usage: autorun-preview CD_FOLDER --dump FILE [--json]");
    if (!std::ifstream(dump)) return Fail("cannot read the dump " + dump);

    const CdFolder cd(folder);
    ProfileSnapshot store;
    CDevSimulation detect(store);
    detect.SetDumpFile(dump);
    SWInfo machine;
    detect.GetSWInfo(&machine);
    CdFacts facts(cd.PathVariable(), machine);
    const CdReader reader(cd, store, facts, detect);
    if (reader.RootFile().empty()) return Fail("no Root.ini in " + cd.PathVariable());

    const MachineReport m = BuildMachineReport(
        detect, reader.Ini(reader.RootFile()),
        [&](const TabModel& tab, const CDevList& devices) { return reader.Page(tab, devices); });
    // The report Autorun.exe -report writes for the same dump, in the code page of its language.
    if (json)
        std::printf("%s\n", MachineReportJson(m, AnsiCodePageOf(machine.Lang)).dump(1).c_str());
    else
        PrintText(m);
    return 0;
}

// Prints the menu that Autorun.exe shows on a CD folder for the board of a detection dump, as the
// program builds it (-sim mode): tabs, pages, buttons with ids, captions, rectangles, actions and files.
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
#include "core/ProfileSnapshot.h"

namespace {
using Kind = CInstallSequence::Action::Kind;
using Restart = CInstallSequence::Action::Restart;

struct Menu {
    MenuModel menu;
    std::string background;
    std::vector<CdPage> pages;
};

std::string Q(const std::string& s) {
    return JsonQuote(s);
}

std::string RectText(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

std::string RectJson(const Rect& r) {
    return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + "]";
}

std::vector<const FixedButtonModel*> FixedButtons(const MenuModel& m) {
    std::vector<const FixedButtonModel*> v{&m.close, &m.web};
    if (m.hasBrowse) v.push_back(&m.browse);
    return v;
}

std::string TypeName(PageType t) {
    const std::string name = PageTypeNameOf(t);
    return name.empty() ? "none" : name;
}

const char* Ending(Restart r) {
    return r == Restart::Yes ? "restart Windows" : r == Restart::No ? "end the program" : "wait";
}

void PrintText(const Menu& m) {
    std::printf("Title: %s\nSubtitle: %s\nRead-me: %s\nBackground: %s\n", m.menu.defaultCaption.c_str(),
                m.menu.subCaption.c_str(), m.menu.readMe.c_str(), m.background.c_str());
    for (const FixedButtonModel* b : FixedButtons(m.menu))
        std::printf("Button %d \"%s\" %s%s\n", b->id, b->caption.c_str(), RectText(b->rect).c_str(),
                    b->id == kWebId ? (std::string(" link ") + kMakerWebSite).c_str() : "");
    for (const CdPage& p : m.pages) {
        std::printf("Tab %d \"%s\" %s: %s page %s\n", p.tab.id, p.tab.caption.c_str(),
                    RectText(p.tab.rect).c_str(), TypeName(p.page.type).c_str(), p.tab.file.c_str());
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
                    std::printf("    Then: %s\n", Ending(a.restart));
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

std::string InstallJson(const CdPage& p) {
    const InstallButtonModel& i = *p.page.install;
    std::string steps, finish;
    for (const CInstallSequence::Action& a : p.steps) {
        if (a.kind == Kind::Finish) {
            finish = Ending(a.restart);
            continue;
        }
        steps += steps.empty() ? "" : ", ";
        steps += a.kind == Kind::Run ? "{\"run\": " + Q(a.command) + ", \"progress\": " + Q(a.progress) + "}"
                                     : std::string("{\"reboot\": true}");
    }
    return "{\"id\": " + std::to_string(i.id) + ", \"caption\": " + Q(i.caption) +
           ", \"rect\": " + RectJson(i.rect) + ", \"section\": " + Q(i.section) + ", \"note\": " + Q(i.note) +
           ", \"steps\": [" + steps + "], \"finish\": " + Q(finish) + "}";
}

void PrintJson(const Menu& m) {
    std::string out = "{\"title\": " + Q(m.menu.defaultCaption) + ", \"subtitle\": " + Q(m.menu.subCaption) +
                      ", \"readMe\": " + Q(m.menu.readMe) + ", \"background\": " + Q(m.background) +
                      ",\n \"buttons\": [";
    for (const FixedButtonModel* b : FixedButtons(m.menu))
        out += std::string(b == &m.menu.close ? "" : ", ") + "{\"id\": " + std::to_string(b->id) +
               ", \"caption\": " + Q(b->caption) + ", \"rect\": " + RectJson(b->rect) + "}";
    out += "],\n \"tabs\": [";
    for (const CdPage& p : m.pages) {
        out += std::string(&p == &m.pages.front() ? "" : ",") + "\n  {\"id\": " + std::to_string(p.tab.id) +
               ", \"caption\": " + Q(p.tab.caption) + ", \"rect\": " + RectJson(p.tab.rect) +
               ", \"file\": " + Q(p.tab.file) + ", \"type\": " + Q(TypeName(p.page.type)) +
               ", \"buttons\": [";
        for (const PageButtonModel& b : p.page.buttons)
            out += std::string(&b == &p.page.buttons.front() ? "" : ",") +
                   "\n   {\"id\": " + std::to_string(b.id) + ", \"caption\": " + Q(b.caption) +
                   ", \"rect\": " + RectJson(b.rect) + ", \"behavior\": " + Q(b.behavior) +
                   ", \"file\": " + Q(b.file) + ", \"note\": " + Q(b.note) + "}";
        out += "]";
        if (p.page.install) out += ",\n   \"install\": " + InstallJson(p);
        if (const auto& l = p.live)
            out += ",\n   \"live\": {\"message\": {\"id\": " + std::to_string(kLiveStartMessageId) +
                   ", \"text\": " + Q(l->message) + ", \"rect\": " + RectJson(l->messageRect) +
                   "}, \"button\": {\"id\": " + std::to_string(kLiveStartButtonId) +
                   ", \"caption\": " + Q(l->caption) + ", \"rect\": " + RectJson(l->buttonRect) + "}}";
        out += "}";
    }
    std::printf("%s]}\n", out.c_str());
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

    // As the document builds it: the replayed devices without duplicates, then Root.ini and each tab.
    CDevList devices;
    detect.DetectDevices("", &devices);
    RemoveDuplicateDevices(devices);
    Menu m{reader.Menu(devices), reader.Background(devices), {}};
    for (const TabModel& tab : m.menu.tabs)
        m.pages.push_back(reader.Page(tab, devices));
    if (json)
        PrintJson(m);
    else
        PrintText(m);
    return 0;
}

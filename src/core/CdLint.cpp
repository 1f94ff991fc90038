#include "core/CdLint.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "core/CdFacts.h"
#include "core/CdFolder.h"
#include "core/CdReader.h"
#include "core/DibData.h"
#include "core/ExecAction.h"
#include "core/LiveUpdateRules.h"
#include "core/OsFacts.h"
#include "core/ProfileReadLog.h"
#include "core/ProfileSnapshot.h"
#include "core/ProfileText.h"
#include "core/ResumeCommand.h"
#include "core/StartPage.h"
#include "core/TextCompare.h"
#include "core/TipLayout.h"
#include "core/Token.h"

namespace {
using Section = ProfileText::Section;
using Entry = ProfileText::Entry;

// Some fifty times the reads the sample CD takes: a CD that names hundreds of boards, systems and
// languages at once is checked in part instead of keeping the lint busy for minutes.
const std::size_t kReadBudget = 150000;

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// "Caption" for "Caption" and for its language variants "Caption.CHT".
bool HasBase(const std::string& key, const std::string& base) {
    return StartsWithNoCase(key, base) && (key.size() == base.size() || key[base.size()] == '.');
}

// n for the key `prefix` + n as the program spells it (decimal from 1, no leading zero), with what
// follows a "." after the number in `variant`; 0 for any other key.
int NumberedKey(const std::string& key, const std::string& prefix, std::string& variant) {
    if (!StartsWithNoCase(key, prefix)) return 0;
    const std::size_t digits = prefix.size();
    std::size_t p = digits;
    int n = 0;
    while (p < key.size() && p - digits < 9 && std::isdigit(static_cast<unsigned char>(key[p])))
        n = n * 10 + (key[p++] - '0');
    if (p == digits || key[digits] == '0' || (p < key.size() && key[p] != '.')) return 0;
    variant = p < key.size() ? key.substr(p + 1) : std::string();
    return n;
}

// The language code of a variant key ("CHT" of "Caption.cht"); empty for any other key.
std::string LanguageOf(const std::string& key) {
    const std::size_t dot = key.rfind('.');
    const std::string code = dot == std::string::npos ? "" : Upper(key.substr(dot + 1));
    return LanguageId(code) ? code : std::string();
}

// A name a device's id can take: it holds a vendor id, or is the subsystem id of a host bridge.
bool LooksLikeId(const std::string& name) {
    const std::string u = Upper(name);
    return u.find("VEN_") != std::string::npos || u.compare(0, 7, "SUBSYS_") == 0;
}

// Where `os` stands in `name` as a word of its own (WinXP is not in WinXPA).
bool Mentions(const std::string& name, const std::string& os) {
    const std::string u = Upper(name), o = Upper(os);
    for (std::size_t at = u.find(o); at != std::string::npos; at = u.find(o, at + 1)) {
        const std::size_t end = at + o.size();
        if (end == u.size() || !std::isalnum(static_cast<unsigned char>(u[end]))) return true;
    }
    return false;
}

// The section name without a ".WinXP"-style suffix.
std::string WithoutOs(const std::string& name) {
    for (const std::string& os : OsNames()) {
        const std::string suffix = "." + os;
        if (name.size() > suffix.size() && EqualsNoCase(name.substr(name.size() - suffix.size()), suffix))
            return name.substr(0, name.size() - suffix.size());
    }
    return name;
}

std::string RectText(const Rect& r) {
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom);
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// At most `limit` + 1 bytes of a file; false when it cannot be read (a folder cannot).
bool ReadBytes(const std::string& local, std::string& bytes, std::size_t limit) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(local, ec);
    if (ec || !std::filesystem::is_regular_file(local, ec)) return false;
    std::ifstream in(local, std::ios::binary);
    bytes.resize(std::size_t(std::min<std::uintmax_t>(size, limit + 1)));
    in.read(&bytes[0], std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return !in.bad();
}

// One INI file the program reads, with what the lint learned of it.
struct LintedFile {
    LintedFile(std::string local, std::string relative, int order, const std::string& text);
    std::string local, relative;
    int order;
    ProfileText profile;
    // What the file tells machines apart by: the languages of its variant keys, the systems its
    // section names name, the detection's tags in its values; a SingleInstall page by the board too.
    std::set<std::string> langs, oses;
    bool usesLang, usesOs, usesModel;
    bool install = false;
    const LintedFile* live = nullptr; // a Liveupdate page's LiveUpdate.ini
    std::set<const Section*> named;   // asked for by some read
    std::set<const Entry*> read;      // answered some read
    mutable std::set<int> reported;   // lines with a finding
};

LintedFile::LintedFile(std::string local, std::string relative, int order, const std::string& text)
    : local(std::move(local)), relative(std::move(relative)), order(order), profile(text),
      usesLang(text.find("<Lang>") != std::string::npos),
      usesOs(text.find("<DetectOS>") != std::string::npos),
      usesModel(text.find("<MBModel>") != std::string::npos) {
    for (const Section& s : profile.Sections()) {
        for (const std::string& os : OsNames())
            if (Mentions(s.name, os)) oses.insert(os);
        for (const Entry& e : s.entries) {
            const std::string lang = LanguageOf(e.key);
            if (!lang.empty()) langs.insert(lang);
        }
    }
}

// The systems, languages and board models the lint reads the CD for: those the CD's files name (the
// unknown system when they name none), English for every language without variant keys, no board
// model without a SingleInstall page.
struct Dimensions {
    std::vector<std::string> oses, langs, models;
};

void AddOnce(std::vector<std::string>& list, const std::string& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// Whether a file reads differently for `value` than for one it was read for already: it names the
// value or holds its tag; the first value it names nothing for stands for all such.
bool Covers(const std::set<std::string>& named, bool tagged, const std::vector<std::string>& every,
            const std::string& value) {
    if (tagged || named.count(value)) return true;
    for (const std::string& v : every)
        if (!named.count(v)) return v == value;
    return false;
}

bool Needs(const LintedFile& f, const SWInfo& m, const Dimensions& d) {
    return Covers(f.langs, f.usesLang, d.langs, m.Lang) && Covers(f.oses, f.usesOs, d.oses, m.DetectOS) &&
           (f.install || f.usesModel || m.MBModel == d.models.front());
}

// Where a finding goes: a key, a section without key, or the whole file.
struct Place {
    const LintedFile* file = nullptr;
    const Section* section = nullptr;
    const Entry* entry = nullptr;
};

// One read of the build at hand: what the program asked, and what it got.
struct Read {
    LintedFile* file;
    const Section* section;
    const Entry* entry;
    std::string value;
};

// A rectangle of the window and who placed it.
struct Placed {
    Rect rect;
    std::string label;
    Place place;
};

class Linter;

// The detection of an imagined machine; it tells the linter which texts it expands.
class VariantDetect : public CDevInfoCtrl {
  public:
    explicit VariantDetect(Linter& linter) : m_linter(linter) {}
    SWInfo info;
    int DetectDevices(std::string, CDevList*) override { return 0; }
    void GetSWInfo(SWInfo* out) override { *out = info; }
    bool WriteDumpFile(std::string) override { return false; }
    bool SetDumpFile(std::string) override { return false; }
    std::string ExpandVariables(std::string text) override;

  private:
    Linter& m_linter;
};

class Linter : public ProfileReadLog {
  public:
    explicit Linter(const std::string& folder)
        : m_cd(folder), m_facts(m_cd.PathVariable(), {}), m_detect(*this),
          m_reader(m_cd, m_store, m_facts, m_detect, this) {}

    bool Run(std::string& why, std::vector<LintFinding>& out);
    void OnRead(const std::string& path, const std::string& section, const std::string& key, Mode mode,
                const std::string& text, const std::string& value) override;
    void OnExpanded(const std::string& text, const std::string& value);

  private:
    LintedFile* AddFile(const std::string& local);
    LintedFile* FileAt(const std::string& local) const;
    void Add(bool error, const Place& at, const std::string& message);
    void Begin() { m_build.clear(); }
    const Read* Latest(const std::function<bool(const Read&)>& wanted) const;
    Place SourceOf(const std::function<bool(const Read&)>& wanted) const;
    Place SourceIn(const LintedFile& f, const Section* s, const std::string& base,
                   const std::function<bool(const std::string&)>& wanted) const;
    Place KeyPlace(const LintedFile* f, const std::string& section, const std::string& key) const;
    std::string Shown(const std::string& path) const;
    bool OverBudget() const { return m_reads > kReadBudget; }

    Dimensions Machines() const;
    // Every machine of the dimensions: `read` with each, the menu read anew where it can differ.
    void ForEachMachine(const std::function<void(const SWInfo&, MenuModel&, bool fresh)>& read);
    void Use(const SWInfo& machine);
    CDevList DevicesNamedIn(const LintedFile& f, bool sections) const;
    void Discover();

    void CheckReferences(const Place& at, const std::string& text, bool expanded);
    bool CheckFile(const std::string& path, const Place& at, bool onCd, std::string* local = nullptr);
    void CheckRect(const Placed& p);
    MenuModel LintRoot();
    void CheckFixedButtons(const MenuModel& menu);
    void CheckTabs(const MenuModel& menu);
    void CheckPageFile(const TabModel& tab);
    void CheckBackground(const std::string& bg);
    void LintPage(const TabModel& tab, const MenuModel& menu, const SWInfo& machine, const Dimensions& d);
    void CheckPage(const LintedFile& f, const CdPage& p, const MenuModel& menu);
    void CheckButton(const LintedFile& f, const PageButtonModel& b);
    void CheckEntries(const LintedFile& f, const PageModel& page);
    void CheckInstall(const LintedFile& f, const CdPage& p);
    void CheckPlacement(const LintedFile& f, const CdPage& p, const MenuModel& menu);
    void CheckFileWide(const LintedFile& f);

    CdFolder m_cd;
    ProfileSnapshot m_store;
    CdFacts m_facts;
    VariantDetect m_detect;
    CdReader m_reader;
    std::map<std::string, std::unique_ptr<LintedFile>> m_files;
    LintedFile* m_root = nullptr;
    std::vector<Read> m_build;
    std::size_t m_reads = 0;
    std::vector<std::pair<int, LintFinding>> m_found; // with the order of its file
    std::set<std::string> m_seen;
    std::map<std::string, bool> m_bitmaps; // whether the program can load each
    // Entries that name a section (TabButton, Button): whether one did on some machine, else why not.
    std::set<const Entry*> m_named;
    std::map<const Entry*, std::pair<Place, std::string>> m_unnamed;
};

std::string VariantDetect::ExpandVariables(std::string text) {
    std::string value = ExpandTags(text, info);
    m_linter.OnExpanded(text, value);
    return value;
}

LintedFile* Linter::FileAt(const std::string& local) const {
    auto it = m_files.find(local);
    return it == m_files.end() ? nullptr : it->second.get();
}

LintedFile* Linter::AddFile(const std::string& local) {
    if (LintedFile* f = FileAt(local)) return f;
    std::string text;
    if (!ReadBytes(local, text, std::string::npos - 1)) return nullptr;
    auto file = std::make_unique<LintedFile>(local, m_cd.Relative(local), int(m_files.size()), text);
    return (m_files[local] = std::move(file)).get();
}

void Linter::Add(bool error, const Place& at, const std::string& message) {
    LintFinding f;
    f.path = at.file ? at.file->relative : m_root->relative;
    f.line = at.entry ? at.entry->line : at.section ? at.section->line : 0;
    f.error = error;
    f.section = at.section ? at.section->name : "";
    f.key = at.entry ? at.entry->key : "";
    f.message = message;
    if (!m_seen.insert(f.Text()).second) return;
    if (at.file) at.file->reported.insert(f.line);
    m_found.push_back({at.file ? at.file->order : 0, f});
}

void Linter::OnRead(const std::string& path, const std::string& section, const std::string& key, Mode mode,
                    const std::string& text, const std::string& value) {
    ++m_reads;
    LintedFile* f = FileAt(path);
    if (!f) return;
    const Section* s = f->profile.Find(section);
    const Entry* e = ProfileText::FindKey(s, key);
    if (e && !e->value) e = nullptr; // a line without "=" answers nothing
    if (s) f->named.insert(s);
    if (e) f->read.insert(e);
    m_build.push_back({f, s, e, value});
    if (!e) return;
    if (mode == Mode::Substituted) CheckReferences({f, s, e}, text, false);
    if (mode != Mode::Integer || text.empty()) return;
    const std::size_t digit = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (digit == text.size() || !std::isdigit(static_cast<unsigned char>(text[digit])))
        Add(true, {f, s, e}, "'" + text + "' is not a number: the program reads " + value);
}

// The detection expands the text of the read just made: its references follow the detection's rules.
void Linter::OnExpanded(const std::string& text, const std::string& value) {
    if (m_build.empty() || m_build.back().value != text) return;
    Read& r = m_build.back();
    r.value = value;
    if (r.entry) CheckReferences({r.file, r.section, r.entry}, text, true);
}

void Linter::CheckReferences(const Place& at, const std::string& text, bool expanded) {
    std::vector<TextPiece> pieces;
    if (!CToken::SplitReferences(text, pieces))
        Add(true, at,
            expanded ? "'<' and '>' do not pair up: the whole value reads as empty"
                     : "'<' and '>' do not pair up: the value is cut short at the first one that does not");
    for (const TextPiece& p : pieces) {
        std::string value;
        if (!p.reference ||
            (expanded ? CDevInfoCtrl::TagValue(p.text, {}, value) : CToken::IsVariable(p.text)))
            continue;
        Add(true, at,
            "<" + p.text + "> " +
                (expanded && CToken::IsVariable(p.text)
                     ? "is not replaced here, only <DetectOS>, <Lang> and <MBModel> are: it reads as empty"
                     : "is no variable (names count their case): it reads as empty"));
    }
}

// The newest read of the build at hand that `wanted` picks.
const Read* Linter::Latest(const std::function<bool(const Read&)>& wanted) const {
    for (auto r = m_build.rbegin(); r != m_build.rend(); ++r)
        if (wanted(*r)) return &*r;
    return nullptr;
}

Place Linter::SourceOf(const std::function<bool(const Read&)>& wanted) const {
    const Read* r = Latest(wanted);
    return r ? Place{r->file, r->section, r->entry} : Place{m_root, nullptr, nullptr};
}

// The key of section `s` (or one of its language variants) whose value `wanted` picks; the section when
// none does.
Place Linter::SourceIn(const LintedFile& f, const Section* s, const std::string& base,
                       const std::function<bool(const std::string&)>& wanted) const {
    const Read* r = Latest([&](const Read& r) {
        return r.file == &f && r.section == s && r.entry && HasBase(r.entry->key, base) && wanted(r.value);
    });
    return r ? Place{r->file, r->section, r->entry} : Place{&f, s, nullptr};
}

Place Linter::KeyPlace(const LintedFile* f, const std::string& section, const std::string& key) const {
    const Section* s = f ? f->profile.Find(section) : nullptr;
    return {f, s, ProfileText::FindKey(s, key)};
}

// A path of the CD as the author knows it: from the CD folder, with "/".
std::string Linter::Shown(const std::string& path) const {
    std::string shown = path.compare(0, m_cd.PathVariable().size(), m_cd.PathVariable()) == 0
                            ? path.substr(m_cd.PathVariable().size())
                            : path;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown.erase(0, shown.find_first_not_of('/'));
}

Dimensions Linter::Machines() const {
    Dimensions d;
    d.langs.push_back("ENU");
    for (const auto& file : m_files) {
        const LintedFile& f = *file.second;
        for (const std::string& lang : f.langs)
            AddOnce(d.langs, lang);
        for (const Section& s : f.profile.Sections())
            if (f.install && s.line > 0 && !EqualsNoCase(s.name, "IniInfo"))
                AddOnce(d.models, WithoutOs(s.name));
    }
    for (const std::string& os : OsNames())
        if ((m_facts.ModernNames() || !OsFlagsNamed(os).IsNT6) &&
            std::any_of(m_files.begin(), m_files.end(),
                        [&](const auto& f) { return f.second->oses.count(os); }))
            d.oses.push_back(os);
    if (d.oses.empty()) d.oses.push_back("");
    if (d.models.empty()) d.models.push_back("");
    return d;
}

void Linter::ForEachMachine(const std::function<void(const SWInfo&, MenuModel&, bool fresh)>& read) {
    const Dimensions d = Machines();
    for (const std::string& os : d.oses)
        for (const std::string& lang : d.langs) {
            MenuModel menu;
            for (const std::string& model : d.models) {
                if (OverBudget()) return;
                const SWInfo machine{model, os, lang};
                Use(machine);
                read(machine, menu, model == d.models.front() || m_root->usesModel);
            }
        }
}

void Linter::Use(const SWInfo& machine) {
    m_facts.SetMachine(machine);
    m_detect.info = machine;
}

// The devices that the file's names stand for: its section names (a Driver page, a system suffix
// dropped), or its key names that hold an id (Root.ini, an MBDependent page's ModelIndex).
CDevList Linter::DevicesNamedIn(const LintedFile& f, bool sections) const {
    std::set<std::string> ids;
    for (const Section& s : f.profile.Sections()) {
        if (sections && s.line > 0) ids.insert(Upper(WithoutOs(s.name)));
        if (!sections)
            for (const Entry& e : s.entries)
                if (LooksLikeId(e.key)) ids.insert(Upper(e.key));
    }
    CDevList devices;
    for (const std::string& id : ids)
        devices.emplace_back(id, "", "", "", "");
    return devices;
}

// Reads the menu for every machine until no new file turns up: the page files and LiveUpdate.ini
// also name systems, languages and boards.
void Linter::Discover() {
    for (std::size_t before = 0; before != m_files.size() && !OverBudget();) {
        before = m_files.size();
        ForEachMachine([&](const SWInfo&, MenuModel& menu, bool fresh) {
            Begin();
            if (fresh) menu = m_reader.Menu({});
            for (const TabModel& tab : menu.tabs) {
                std::string local;
                LintedFile* page =
                    m_cd.Find(tab.file, local) == CdFolder::Where::Found ? AddFile(local) : nullptr;
                if (!page) continue;
                const CdPage p = m_reader.Page(tab, {});
                page->install = page->install || p.page.type == PageType::SingleInstall;
                if (!p.liveLocal.empty()) page->live = AddFile(p.liveLocal);
            }
        });
    }
}

bool Linter::Run(std::string& why, std::vector<LintFinding>& out) {
    if (!m_cd.Readable()) {
        why = "cannot read the folder " + m_cd.PathVariable();
        return false;
    }
    const std::string root = m_reader.RootFile();
    if (root.empty() || !(m_root = AddFile(root))) {
        why =
            (root.empty() ? "no Root.ini in " : "cannot read ") + (root.empty() ? m_cd.PathVariable() : root);
        return false;
    }
    // Read as the program reads it, so that the key counts as read; Vista and later are named only then.
    m_facts.SetModernNames(
        EqualsNoCase(m_reader.Ini(root).GetString("Root", "DetectModernWindows", ""), "YES"));
    Discover();
    const Dimensions d = Machines();
    ForEachMachine([&](const SWInfo& machine, MenuModel& menu, bool fresh) {
        if (fresh && Needs(*m_root, machine, d)) {
            menu = LintRoot();
        } else if (fresh) {
            Begin();
            menu = m_reader.Menu({});
        }
        for (const TabModel& tab : menu.tabs)
            LintPage(tab, menu, machine, d);
    });
    if (OverBudget())
        Add(false, {m_root, nullptr, nullptr},
            "the CD names too many systems, languages and boards at once: only part of it was checked");
    for (const auto& u : m_unnamed)
        if (!m_named.count(u.first)) Add(true, u.second.first, u.second.second);
    for (const auto& f : m_files)
        CheckFileWide(*f.second);

    std::stable_sort(m_found.begin(), m_found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.line < b.second.line;
    });
    for (auto& f : m_found)
        out.push_back(std::move(f.second));
    return true;
}

// A path to open: `local` is where it lies when it is on the CD. A path elsewhere is checked only
// when the file must come with the CD.
bool Linter::CheckFile(const std::string& path, const Place& at, bool onCd, std::string* local) {
    if (path.find_first_of("<>") != std::string::npos) {
        Add(true, at, "'" + path + "' still holds a reference: the program reads this key as written");
        return false;
    }
    std::string found;
    switch (m_cd.Find(path, found)) {
    case CdFolder::Where::Outside:
        if (onCd) Add(true, at, "not on the CD: " + path);
        return false;
    case CdFolder::Where::Missing:
        Add(true, at, "no such file on the CD: " + Shown(path));
        return false;
    case CdFolder::Where::Found:
        break;
    }
    if (local) *local = found;
    return true;
}

void Linter::CheckRect(const Placed& p) {
    const Rect& r = p.rect;
    if (r.right <= r.left || r.bottom <= r.top)
        Add(false, p.place, p.label + " (" + RectText(r) + ") is empty: it cannot be seen");
    else if (r.left < kWindowRect.left || r.top < kWindowRect.top || r.right > kWindowRect.right ||
             r.bottom > kWindowRect.bottom)
        Add(false, p.place, p.label + " (" + RectText(r) + ") reaches outside the 640 x 480 window");
}

MenuModel Linter::LintRoot() {
    SWInfo machine = m_detect.info;
    Begin();
    const MenuModel menu = m_reader.Menu({});
    CheckFixedButtons(menu);
    CheckTabs(menu);
    if (menu.hasBrowse && !menu.readMe.empty())
        CheckFile(menu.readMe, SourceOf([&](const Read& r) { return r.value == menu.readMe; }), false);
    const CDevList devices = DevicesNamedIn(*m_root, false);
    for (const CDevInfo& d : devices) {
        Begin();
        const MenuModel byModel = m_reader.Menu({d});
        if (byModel.hasBrowse && !byModel.readMe.empty())
            CheckFile(byModel.readMe, SourceOf([&](const Read& r) { return r.value == byModel.readMe; }),
                      false);
        Begin();
        CheckBackground(m_reader.Background({d}));
    }
    Begin();
    CheckBackground(m_reader.Background({}));

    Begin();
    const std::string start = m_reader.StartWindow();
    if (WantsStartWindow(start))
        CheckFile(StartPageAddress(start, m_cd.PathVariable()),
                  SourceOf([&](const Read& r) { return r.value == start; }), false);
    const CIniFile root = m_reader.Ini(m_root->local);
    ReadTipStyle(root);
    ReadTipLabels(root, machine.Lang);
    return menu;
}

void Linter::CheckFixedButtons(const MenuModel& menu) {
    std::vector<Placed> fixed;
    for (const FixedButtonModel* b : {&menu.close, &menu.web, &menu.browse}) {
        if (b == &menu.browse && !menu.hasBrowse) continue;
        const Place at = KeyPlace(m_root, "Root", b->key);
        const Read* read = Latest([&](const Read& r) { return r.entry && r.entry == at.entry; });
        if (read && !IsRectText(read->value))
            Add(true, at, "not four whole numbers: the program reads " + RectText(b->rect));
        fixed.push_back({b->rect,
                         "the " + (b->caption.empty() ? std::string("web-link") : b->caption) + " button",
                         at.entry ? at : Place{m_root, at.section, nullptr}});
        CheckRect(fixed.back());
    }
    for (std::size_t j = 0; j < fixed.size(); ++j)
        for (std::size_t i = 0; i < j; ++i)
            if (Overlap(fixed[i].rect, fixed[j].rect))
                Add(false, fixed[j].place,
                    fixed[j].label + " (" + RectText(fixed[j].rect) + ") overlaps " + fixed[i].label + " (" +
                        RectText(fixed[i].rect) + ")");
}

void Linter::CheckTabs(const MenuModel& menu) {
    const Section* root = m_root->profile.Find("Root");
    const std::size_t count = menu.tabSections.size();
    std::string variant;
    if (root)
        for (const Entry& e : root->entries)
            if (NumberedKey(e.key, "TabButton", variant) > int(count) + 1 &&
                e.key.find('.') == std::string::npos)
                Add(true, {m_root, root, &e},
                    "TabButton" + std::to_string(count + 1) +
                        " is missing or empty: this tab and all after it never appear");
    const CIniFile ini = m_reader.Ini(m_root->local);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& section = menu.tabSections[i];
        const Place at = KeyPlace(m_root, "Root", "TabButton" + std::to_string(i + 1));
        const bool made = std::any_of(menu.tabs.begin(), menu.tabs.end(),
                                      [&](const TabModel& t) { return t.section == section; });
        if (made || ini.GetValue(section, "Type", "") == "1")
            m_named.insert(at.entry);
        else
            m_unnamed.emplace(at.entry,
                              std::make_pair(at, m_root->profile.Find(section)
                                                     ? "section [" + section + "] has no Caption: no tab"
                                                     : "names section [" + section +
                                                           "], which Root.ini does not have: no tab"));
    }
    for (const TabModel& t : menu.tabs)
        CheckPageFile(t);
}

void Linter::CheckPageFile(const TabModel& tab) {
    const Place file = KeyPlace(m_root, tab.section, "File");
    std::string local;
    if (tab.file.empty())
        Add(true, file, "no page file: the tab's page stays empty");
    else if (CheckFile(tab.file, file, true, &local) && !AddFile(local))
        Add(true, file, "cannot read the page file " + Shown(tab.file));
}

void Linter::CheckBackground(const std::string& bg) {
    const Place at = SourceOf([&](const Read& r) { return r.value == bg; });
    if (bg.empty()) {
        Add(true, at, "no background bitmap: the program shows a file error at start and no background");
        return;
    }
    std::string local;
    if (!CheckFile(bg, at, true, &local)) return;
    auto known = m_bitmaps.find(local);
    if (known == m_bitmaps.end()) {
        std::string bytes;
        const bool loads =
            ReadBytes(local, bytes, kMaxDibFile) && bytes.size() <= kMaxDibFile &&
            !ParseDib(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()).Empty();
        known = m_bitmaps.emplace(local, loads).first;
    }
    if (!known->second) Add(true, at, "the program cannot load this bitmap: " + Shown(bg));
}

void Linter::LintPage(const TabModel& tab, const MenuModel& menu, const SWInfo& machine,
                      const Dimensions& d) {
    std::string local;
    if (m_cd.Find(tab.file, local) != CdFolder::Where::Found) return;
    const LintedFile* f = FileAt(local);
    if (!f || !(Needs(*f, machine, d) || (f->live && Needs(*f->live, machine, d)))) return;
    Begin();
    const CdPage first = m_reader.Page(tab, {});
    CheckPage(*f, first, menu);
    // A Driver page shows one button per device; the other kinds choose by the first device alone.
    if (first.page.type == PageType::Driver) {
        Begin();
        CheckPage(*f, m_reader.Page(tab, DevicesNamedIn(*f, true)), menu);
    } else if (first.page.type == PageType::MBDependent) {
        for (const CDevInfo& d : DevicesNamedIn(*f, false)) {
            if (OverBudget()) return;
            Begin();
            CheckPage(*f, m_reader.Page(tab, {d}), menu);
        }
    }
}

void Linter::CheckPage(const LintedFile& f, const CdPage& p, const MenuModel& menu) {
    const Place type = KeyPlace(&f, "IniInfo", "IniType");
    if (p.page.type == PageType::None)
        Add(true, type,
            type.entry ? "'" + p.page.iniType + "' is none of " + PageTypeList() + ": the page stays empty"
                       : "no IniType: the page stays empty");
    for (const PageButtonModel& b : p.page.buttons)
        CheckButton(f, b);
    CheckEntries(f, p.page);
    if (p.page.install) CheckInstall(f, p);
    if (p.live && p.liveLocal.empty())
        Add(true, type,
            "no LiveUpdate.ini in the CD folder: the live update has no server and no start page");
    else if (p.live && !FileAt(p.liveLocal))
        Add(true, type, "cannot read LiveUpdate.ini");
    else if (p.live)
        LiveUpdate::ReadFtpSite(m_reader.Ini(p.liveLocal), "FTP SITE");
    CheckPlacement(f, p, menu);
}

void Linter::CheckButton(const LintedFile& f, const PageButtonModel& b) {
    const Section* s = f.profile.Find(b.section);
    const ExecAction action = ExecActionOf(b.behavior);
    if (action == ExecAction::None) {
        Add(true, SourceIn(f, s, "Behavior", [&](const std::string& v) { return v == b.behavior; }),
            b.behavior.empty() ? "no Behavior: the button does nothing"
                               : "'" + b.behavior + "' is none of " + ActionWordList() +
                                     " (case counts): the button does nothing");
        return;
    }
    if (action == ExecAction::FtpFile || action == ExecAction::FtpFolder) return;
    const Place at = SourceIn(f, s, "File", [&](const std::string& v) { return v == b.file; });
    if (b.file.empty())
        Add(true, at, "no File: the button opens nothing");
    else
        CheckFile(b.file, at, false);
}

void Linter::CheckEntries(const LintedFile& f, const PageModel& page) {
    std::map<const Section*, std::string> missing;
    for (const PageEntryModel& e : page.entries) {
        const Place at = KeyPlace(&f, e.list, e.key);
        if (!at.entry || !at.entry->value || at.entry->value->empty()) {
            missing[at.section] += (missing[at.section].empty() ? "" : ", ") + e.key;
        } else if (!e.section.empty() && f.profile.Find(e.section)) {
            m_named.insert(at.entry);
        } else {
            m_unnamed.emplace(at.entry,
                              std::make_pair(at, e.section.empty()
                                                     ? "names no section: no button"
                                                     : "names section [" + e.section +
                                                           "], which the file does not have: no button"));
        }
    }
    for (const auto& m : missing)
        Add(true, {&f, m.first, ProfileText::FindKey(m.first, "BtnNum")},
            "BtnNum counts more entries than there are: no " + m.second);
}

void Linter::CheckInstall(const LintedFile& f, const CdPage& p) {
    const InstallButtonModel& install = *p.page.install;
    const Section* s = f.profile.Find(install.section);
    const int count = int(p.steps.size()) - 1;
    const std::string& folder = m_cd.PathVariable();
    if (count > 0 && ResumeCommand::CommandLine(folder, 1, p.tab.file, "S").empty())
        Add(true, KeyPlace(m_root, p.tab.section, "File"),
            "an install sequence cannot resume from this page file after a restart: it must lie in the CD "
            "folder");
    else if (count > 0 && ResumeCommand::CommandLine(folder, 1, p.tab.file, install.section).empty())
        Add(true, {&f, s, nullptr},
            "the install sequence cannot resume after a restart: the section name must not hold '/'");
    for (int n = 1; n <= count; ++n) {
        const CInstallSequence::Action& step = p.steps[n - 1];
        if (step.kind != CInstallSequence::Action::Kind::Run) continue;
        const Place at =
            SourceIn(f, s, "Step" + std::to_string(n), [](const std::string& v) { return !v.empty(); });
        CheckFile(CInstallSequence::ProgramOf(step.command), at, false);
    }
    if (!s) return;
    for (const Entry& e : s->entries) {
        std::string variant;
        if (NumberedKey(e.key, "Step", variant) > count + 1 &&
            (variant.empty() || EqualsNoCase(variant, m_detect.info.Lang)))
            Add(true, {&f, s, &e},
                "Step" + std::to_string(count + 1) +
                    " is missing or empty: the sequence ends before this step");
    }
}

void Linter::CheckPlacement(const LintedFile& f, const CdPage& p, const MenuModel& menu) {
    std::vector<Placed> items;
    for (const FixedButtonModel* b : {&menu.close, &menu.web, &menu.browse})
        if (b != &menu.browse || menu.hasBrowse)
            items.push_back({b->rect,
                             "the " + (b->caption.empty() ? std::string("web-link") : b->caption) + " button",
                             KeyPlace(m_root, "Root", b->key)});
    const std::size_t fixed = items.size();
    for (const PageButtonModel& b : p.page.buttons)
        items.push_back({b.rect, "button '" + b.caption + "'", {&f, f.profile.Find(b.section), nullptr}});
    if (p.page.install)
        items.push_back({p.page.install->rect,
                         "the install button",
                         {&f, f.profile.Find(p.page.install->section), nullptr}});
    if (p.live && FileAt(p.liveLocal)) {
        const LintedFile* live = FileAt(p.liveLocal);
        auto place = [&](const char* prefix) {
            Place at = KeyPlace(live, "INTERFACE", prefix + std::string("Left"));
            return at.entry ? at : Place{live, at.section, nullptr};
        };
        items.push_back({p.live->messageRect, "the live-update message", place("StcStartMsg")});
        items.push_back({p.live->buttonRect, "the live-update start button", place("BtnStart")});
    }
    std::vector<bool> message(items.size(), false);
    if (p.live && FileAt(p.liveLocal)) message[items.size() - 2] = true;
    // The message is text over the background, not a button: only its place in the window counts.
    for (std::size_t j = fixed; j < items.size(); ++j) {
        CheckRect(items[j]);
        for (std::size_t i = 0; i < j && !message[j]; ++i)
            if (!message[i] && Overlap(items[i].rect, items[j].rect))
                Add(false, items[j].place,
                    items[j].label + " (" + RectText(items[j].rect) + ") overlaps " + items[i].label + " (" +
                        RectText(items[i].rect) + ")");
    }
}

// What only the whole file shows: lines the program never reads, duplicates it never sees, language
// variants without their key.
void Linter::CheckFileWide(const LintedFile& f) {
    for (const Section& s : f.profile.Sections()) {
        const Place section{&f, &s, nullptr};
        if (s.line > 0 && f.profile.Find(s.name) != &s) {
            Add(false, section,
                "a second [" + s.name + "]: the program reads only the first, at line " +
                    std::to_string(f.profile.Find(s.name)->line));
            continue;
        }
        if (s.line > 0 && !f.named.count(&s)) {
            Add(false, section, "nothing names this section: the program never reads it");
            continue;
        }
        for (const Entry& e : s.entries) {
            if (e.key.compare(0, 1, ";") == 0) continue;
            const Place at{&f, &s, &e};
            const Entry* first = ProfileText::FindKey(&s, e.key);
            const std::size_t dot = e.key.rfind('.');
            if (s.line == 0) {
                Add(false, at, "outside any section: the program never reads it");
            } else if (!e.value) {
                Add(false, at, "no '=' on this line: the program ignores it");
            } else if (first != &e) {
                Add(false, at,
                    "again in this section: the program reads only the first, at line " +
                        std::to_string(first->line));
            } else if (!LanguageOf(e.key).empty() && !ProfileText::FindKey(&s, e.key.substr(0, dot))) {
                Add(false, at,
                    "a language variant without " + e.key.substr(0, dot) +
                        ": other languages get no text from this section");
            } else if (!f.read.count(&e) && !f.reported.count(e.line)) {
                Add(false, at, "the program never reads this key");
            }
        }
    }
}
} // namespace

std::string LintFinding::Text() const {
    return path + ":" + std::to_string(line) + ": " + (error ? "error" : "warning") + ": [" + section + "] " +
           key + ": " + message;
}

CdLint::CdLint(std::string folder) : m_strFolder(std::move(folder)) {}

bool CdLint::Run(std::string& why) {
    m_findings.clear();
    return Linter(m_strFolder).Run(why, m_findings);
}

bool CdLint::HasErrors() const {
    return std::any_of(m_findings.begin(), m_findings.end(), [](const LintFinding& f) { return f.error; });
}

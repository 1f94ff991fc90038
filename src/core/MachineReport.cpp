#include "core/MachineReport.h"

#include "core/BackgroundChoice.h"
#include "core/JsonText.h"

namespace {
using nlohmann::ordered_json;
using Kind = CInstallSequence::Action::Kind;
using Restart = CInstallSequence::Action::Restart;

struct Writer {
    unsigned codePage;

    std::string T(const std::string& text) const { return AnsiToUtf8(text, codePage); }

    static ordered_json RectJson(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

    ordered_json Driver(const std::string& version, const std::string& date,
                        const std::string& provider) const {
        return {{"version", T(version)}, {"date", T(date)}, {"provider", T(provider)}};
    }

    ordered_json Device(const CDevInfo& d) const {
        ordered_json driver = Driver(d.DriverVersion, d.DriverDate, d.ProviderName);
        driver["inf"] = T(d.InfPath);
        return {
            {"id", T(d.HardwareId)},     {"venDev", T(d.VenDev)},       {"venDevSubsys", T(d.VenDevSubsys)},
            {"subsysId", T(d.SubsysId)}, {"classCode", T(d.ClassCode)}, {"driver", driver}};
    }

    ordered_json Button(const PageButtonModel& b) const {
        ordered_json j = {{"id", b.id},
                          {"caption", T(b.caption)},
                          {"rect", RectJson(b.rect)},
                          {"behavior", T(b.behavior)},
                          {"file", T(b.file)},
                          {"note", T(b.note)}};
        // The installed driver a Driver page's button stands for.
        if (b.device)
            j["installed"] = Driver(b.device->DriverVersion, b.device->DriverDate, b.device->ProviderName);
        return j;
    }

    ordered_json Install(const CdPage& p) const {
        const InstallButtonModel& i = *p.page.install;
        ordered_json steps = ordered_json::array();
        std::string finish;
        for (const CInstallSequence::Action& a : p.steps) {
            if (a.kind == Kind::Finish)
                finish = SequenceEnding(a.restart);
            else if (a.kind == Kind::Run)
                steps.push_back({{"run", T(a.command)}, {"progress", T(a.progress)}});
            else
                steps.push_back({{"reboot", true}});
        }
        return {{"id", i.id},
                {"caption", T(i.caption)},
                {"rect", RectJson(i.rect)},
                {"page", T(p.tab.file)},
                {"section", T(i.section)},
                {"note", T(i.note)},
                {"steps", steps},
                {"finish", finish}};
    }

    ordered_json Tab(const CdPage& p) const {
        ordered_json buttons = ordered_json::array();
        for (const PageButtonModel& b : p.page.buttons)
            buttons.push_back(Button(b));
        ordered_json j = {{"id", p.tab.id},
                          {"caption", T(p.tab.caption)},
                          {"rect", RectJson(p.tab.rect)},
                          {"file", T(p.tab.file)},
                          {"type", ReportPageTypeName(p.page.type)},
                          {"buttons", buttons}};
        if (p.page.install) j["install"] = Install(p);
        if (const auto& l = p.live)
            j["live"] = {
                {"message",
                 {{"id", kLiveStartMessageId}, {"text", T(l->message)}, {"rect", RectJson(l->messageRect)}}},
                {"button",
                 {{"id", kLiveStartButtonId},
                  {"caption", T(l->caption)},
                  {"rect", RectJson(l->buttonRect)}}}};
        return j;
    }

    template <class T> static ordered_json OrNull(const std::optional<T>& v, const Writer* w = nullptr) {
        if (!v) return nullptr;
        if constexpr (std::is_same_v<T, std::string>)
            return w->T(*v);
        else
            return *v;
    }
};
} // namespace

std::string ReportPageTypeName(PageType type) {
    const std::string name = PageTypeNameOf(type);
    return name.empty() ? "none" : name;
}

const char* SequenceEnding(Restart restart) {
    return restart == Restart::Yes ? "restart Windows" : restart == Restart::No ? "end the program" : "wait";
}

ordered_json MachineReportJson(const MachineReport& r, unsigned codePage) {
    const Writer w{codePage};
    ordered_json devices = ordered_json::array();
    for (const CDevInfo& d : r.devices)
        devices.push_back(w.Device(d));
    ordered_json fixed = ordered_json::array();
    for (const FixedButtonModel* b :
         {&r.menu.close, &r.menu.web, r.menu.hasBrowse ? &r.menu.browse : nullptr})
        if (b)
            fixed.push_back(
                {{"id", b->id}, {"caption", w.T(b->caption)}, {"rect", Writer::RectJson(b->rect)}});
    ordered_json tabs = ordered_json::array();
    for (const CdPage& p : r.pages)
        tabs.push_back(w.Tab(p));
    // The sequence an unattended run installs.
    const CdPage* installed = InstallPage(r.pages);
    return {{"machine",
             {{"board", w.T(r.machine.MBModel)},
              {"windows", w.T(r.machine.DetectOS)},
              {"language", w.T(r.machine.Lang)},
              {"wine", Writer::OrNull(r.wine)},
              {"biosProvider", Writer::OrNull(r.biosProvider, &w)},
              {"biosDate", Writer::OrNull(r.biosDate, &w)}}},
            {"devices", devices},
            {"menu",
             {{"title", w.T(r.menu.defaultCaption)},
              {"subtitle", w.T(r.menu.subCaption)},
              {"readMe", w.T(r.menu.readMe)},
              {"background", w.T(r.background)},
              {"buttons", fixed},
              {"tabs", tabs}}},
            {"install", installed ? w.Install(*installed) : ordered_json(nullptr)}};
}

MachineReport BuildMachineReport(CDevInfoCtrl& detect, const CIniFile& root,
                                 const std::function<CdPage(const TabModel&, const CDevList&)>& page) {
    MachineReport r;
    detect.GetSWInfo(&r.machine);
    detect.DetectDevices("", &r.devices);
    RemoveDuplicateDevices(r.devices);
    r.menu = BuildMenuModel(root, r.devices, r.machine.Lang);
    r.background = ChooseBackground(root, r.devices);
    for (const TabModel& tab : r.menu.tabs)
        r.pages.push_back(page(tab, r.devices));
    return r;
}

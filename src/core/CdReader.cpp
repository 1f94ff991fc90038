#include "core/CdReader.h"

#include "core/BackgroundChoice.h"
#include "core/DevInfoCtrl.h"
#include "core/StartPage.h"
#include "core/Token.h"

CdReader::CdReader(const CdFolder& cd, ProfileStore& store, SystemFacts& facts, CDevInfoCtrl& detect,
                   ProfileReadLog* log)
    : m_cd(cd), m_store(store), m_facts(facts), m_detect(detect), m_pLog(log) {}

CIniFile CdReader::Ini(const std::string& local) const {
    return CIniFile(local, m_store, m_facts, m_pLog);
}

std::string CdReader::Local(const std::string& path) const {
    std::string local;
    return m_cd.Find(path, local) == CdFolder::Where::Found ? local : std::string();
}

std::string CdReader::RootFile() const {
    return Local(CToken(m_facts).GetVariable("Path") + "\\Root.ini");
}

MenuModel CdReader::Menu(const CDevList& devices) const {
    SWInfo info;
    m_detect.GetSWInfo(&info);
    return BuildMenuModel(Ini(RootFile()), devices, info.Lang);
}

std::string CdReader::Background(const CDevList& devices) const {
    return ChooseBackground(Ini(RootFile()), devices);
}

std::string CdReader::StartWindow() const {
    return ReadStartWindow(Ini(RootFile()));
}

CdPage CdReader::Page(const TabModel& tab, const CDevList& devices) const {
    // The live start page follows the user's language, not the detected machine's.
    CToken token(m_facts);
    const std::string liveLocal = Local(token.GetVariable("Path") + "\\LiveUpdate.ini");
    const std::string local = Local(tab.file);
    CdPage p = BuildCdPage(tab, Ini(local), devices, m_detect, Ini(liveLocal), token.GetVariable("Lang"));
    p.local = local;
    if (p.live) p.liveLocal = liveLocal;
    return p;
}

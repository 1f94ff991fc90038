#pragma once
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>

#include "core/DevInfoCtrl.h"

// A scratch folder for the INI files one test writes; removed with everything in it.
class IniFolder {
  public:
    IniFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "menu-XXXXXX").string();
        m_dir = mkdtemp(tmpl.data());
    }
    ~IniFolder() { std::filesystem::remove_all(m_dir); }
    IniFolder(const IniFolder&) = delete;
    IniFolder& operator=(const IniFolder&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }

  private:
    std::filesystem::path m_dir;
};

// Detection facts fixed by the test; tags expand as the real detection objects expand them.
class FakeDetect : public CDevInfoCtrl {
  public:
    explicit FakeDetect(SWInfo info) : m_info(std::move(info)) {}
    int DetectDevices(std::string, CDevList*) override { return 0; }
    void GetSWInfo(SWInfo* info) override { *info = m_info; }
    bool WriteDumpFile(std::string) override { return false; }
    bool SetDumpFile(std::string) override { return false; }
    std::string ExpandVariables(std::string text) override { return ExpandTags(text, m_info); }

  private:
    SWInfo m_info;
};

inline CDevList Devices(std::initializer_list<const char*> ids) {
    CDevList list;
    for (const char* id : ids)
        list.emplace_back(id, "", "", "", "");
    return list;
}

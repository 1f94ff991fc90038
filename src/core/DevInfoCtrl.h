#pragma once
#include <string>

#include "core/DevInfo.h"

struct SWInfo {
    std::string MBModel;
    std::string DetectOS;
    std::string Lang;
};

// The detection object: live detection or the replay of a dump, behind one interface.
class CDevInfoCtrl {
  public:
    virtual ~CDevInfoCtrl() = default;
    virtual int DetectDevices(std::string className, CDevList* list) = 0;
    virtual void GetSWInfo(SWInfo* info) = 0;
    virtual bool WriteDumpFile(std::string path) = 0;
    virtual bool SetDumpFile(std::string path) = 0;
    virtual std::string ExpandVariables(std::string text) = 0;

    static void AddDeviceTail(const std::string& id, CDevList* list, const std::string& version,
                              const std::string& date, const std::string& provider, const std::string& inf);
    static void AddDeviceHead(const std::string& id, CDevList* list, const std::string& version,
                              const std::string& date, const std::string& provider, const std::string& inf);

    // The value of one of the tags DetectOS, Lang and MBModel; false for any other name.
    static bool TagValue(const std::string& name, const SWInfo& info, std::string& value);

  protected:
    // The tags <DetectOS>, <Lang>, <MBModel> replaced from `info`; any syntax error empties the result.
    static std::string ExpandTags(const std::string& text, const SWInfo& info);
    std::string m_strDumpFile;
};

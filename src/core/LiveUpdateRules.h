#pragma once
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "core/DevInfo.h"
#include "core/HashList.h"

class CIniFile;

// The decisions of a live update: where its files go, which board folder and driver sections
// apply, the order of the buttons and the remote paths a button fetches.
namespace LiveUpdate {

// The temporary path + "Live\". Empty when the temporary path is unknown or not absolute: the
// live folder is deleted recursively, so it must never be a relative path.
std::string LiveFolder(std::string tempPath);

// An FTP server's connection values: section "FTP SITE" of LiveUpdate.ini, or a mirror's section of
// ModelMap.ini. Port 0 is the FTP default.
struct FtpSite {
    std::string host, user, password, rootDir;
    int port = 0;
};
FtpSite ReadFtpSite(const CIniFile& ini, const std::string& section);

// The model folder of the first device that the map names (lookup gives "NULL" for none), in
// lower case. Without a match it is the last answer ("null"), or empty for no devices.
std::string ModelFolder(const CDevList& devices,
                        const std::function<std::string(const std::string&)>& lookup);

// The six section names a device's driver may be listed under, most specific first.
std::vector<std::string> SectionCandidates(const CDevInfo& device, const std::string& os);

struct ButtonPlan {
    const CDevInfo* device;
    std::string section;
    int order; // position of the section in the file; sections matched only without case go last
    int index; // creation index: the control id is PageColumn::ButtonId(tab id, index)
};

// One button per device that has a section with a non-empty Type, sorted by the section's
// position in the file; devices resolving to the same position keep device order.
std::vector<ButtonPlan> PlanButtons(const CDevList& devices, const std::string& os,
                                    const std::list<std::string>& sectionNames,
                                    const std::function<bool(const std::string&)>& hasType);

// The fetch action word that a Drivers.ini Behavior (an action word in any case) becomes, else empty.
std::string BehaviorAction(const std::string& behavior);

// A plain File value: every "<Path>" followed by the model folder.
std::string WithModel(std::string file, const std::string& model);

// The remote path of a fetch: lower-cased, every "<path>\" replaced by the mirror's root folder.
std::string FetchRemotePath(const std::string& file, const std::string& root);

// The local name of a fetched file: the text after the last "\". Empty when that name would lead
// out of the download folder.
std::string FetchLocalName(const std::string& remote);

// What a section read gives for a key it lacks: no profile value holds a line break.
extern const char kNoValue[];

// The SHA-256 values of a driver section: SHA256, then SHA256.1, SHA256.2, ... up to the first
// number without a key. `read` gives a key's value, or kNoValue.
CHashList SectionHashes(const std::function<std::string(const std::string& key)>& read);

} // namespace LiveUpdate

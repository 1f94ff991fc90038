#pragma once
#include <string>
#include <vector>

#include "core/SystemFacts.h"

class PortIo;

// One device of the SetupAPI device set: its id and the name of its driver key under the class key.
struct SetupDevice {
    std::string id;
    std::string driverKey;
};

enum class RegRoot { LocalMachine, DynData };

// What the live detection asks of the running Windows, as one seam. Windows answers through
// SetupAPI/CM, the registry and the port-I/O library; tests through fakes.
class DetectPlatform {
  public:
    virtual ~DetectPlatform() = default;
    virtual OsFlags Os() = 0;
    virtual bool IsAdministrator() = 0;
    virtual void PlaceDriverFile() = 0;
    virtual void RemoveDriverService() = 0;
    // Re-enumerates the device tree, then lists the present devices of the class (all classes when
    // the name is empty or unknown). False when the device set cannot be had.
    virtual bool ListSetupDevices(const std::string& className, std::vector<SetupDevice>& out) = 0;
    // Subkey `index` of a key; false past the last one or when the key cannot be opened.
    virtual bool SubkeyName(RegRoot root, const std::string& path, unsigned index, std::string& name) = 0;
    virtual bool KeyExists(RegRoot root, const std::string& path) = 0;
    // A string value (at most 1023 characters); false when the key or value cannot be read.
    virtual bool ReadString(RegRoot root, const std::string& path, const std::string& name,
                            std::string& value) = 0;
    // The port-I/O library's functions, or null when the library is not beside the program.
    virtual PortIo* OpenPortIo() = 0;
};

// The running platform's. Defined for Windows.
DetectPlatform& DefaultDetectPlatform();

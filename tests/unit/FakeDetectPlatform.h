#pragma once
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/DetectPlatform.h"
#include "core/PciConfigImage.h"
#include "core/PciImagePort.h"

const char kClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
const char k9xClassKey[] = "System\\CurrentControlSet\\Services\\Class\\";
const char k9xEnum[] = "Config Manager\\Enum";

// A machine described by plain data: its setup devices, its registry and its PCI image.
struct FakePlatform : DetectPlatform {
    OsFlags os;
    bool admin = true, setupWorks = true, library = true;
    std::vector<SetupDevice> setupDevices;
    std::map<std::string, std::map<std::string, std::string>> keys; // "<root>|path" -> values
    std::map<std::string, std::vector<std::string>> subkeys;
    CPciConfigImage image;
    CPciImagePort port{image};
    int placed = 0, removed = 0, portOpened = 0;
    std::string className = "unasked";

    static std::string At(RegRoot root, const std::string& path) {
        return (root == RegRoot::DynData ? "DYN|" : "HKLM|") + path;
    }
    OsFlags Os() override { return os; }
    bool IsAdministrator() override { return admin; }
    void PlaceDriverFile() override { ++placed; }
    void RemoveDriverService() override { ++removed; }
    bool ListSetupDevices(const std::string& name, std::vector<SetupDevice>& out) override {
        className = name;
        if (setupWorks) out = setupDevices;
        return setupWorks;
    }
    bool SubkeyName(RegRoot root, const std::string& path, unsigned index, std::string& name) override {
        auto it = subkeys.find(At(root, path));
        if (it == subkeys.end() || index >= it->second.size()) return false;
        name = it->second[index];
        return true;
    }
    bool KeyExists(RegRoot root, const std::string& path) override { return keys.count(At(root, path)) > 0; }
    bool ReadString(RegRoot root, const std::string& path, const std::string& name,
                    std::string& value) override {
        auto key = keys.find(At(root, path));
        if (key == keys.end()) return false;
        auto v = key->second.find(name);
        if (v == key->second.end()) return false;
        value = v->second;
        return true;
    }
    PortIo* OpenPortIo() override {
        ++portOpened;
        return library ? &port : nullptr;
    }

    void LoadImage() {
        std::ifstream in(std::string(FIXTURES_DIR) + "/pci/machine.pci");
        std::stringstream s;
        s << in.rdbuf();
        image.Parse(s.str());
    }
    void AddDriver(const std::string& classKey, const std::string& driverKey, const std::string& version) {
        keys[At(RegRoot::LocalMachine, classKey + driverKey)] = {{"DriverVersion", version},
                                                                 {"DriverDate", "7-1-2001"},
                                                                 {"ProviderName", "Microsoft"},
                                                                 {"InfPath", "x.inf"}};
    }
};

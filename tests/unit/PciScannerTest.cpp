#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "core/PciConfigImage.h"
#include "core/PciImagePort.h"
#include "core/PciScanner.h"

namespace {
std::string ReadFixture(const char* name) {
    std::ifstream in(std::string(FIXTURES_DIR) + "/pci/" + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Answers every configuration read with one value and counts the probes.
struct ConstantPort : PortIo {
    explicit ConstantPort(std::uint32_t v) : value(v) {}
    void WritePort(std::uint32_t port, std::uint32_t address, std::uint32_t size) override {
        writes.push_back({port, address, size});
    }
    void ReadPort(std::uint32_t port, std::uint32_t* out, std::uint32_t size) override {
        reads.push_back({port, 0, size});
        if (answers) *out = value;
    }
    struct Access {
        std::uint32_t port, value, size;
    };
    std::uint32_t value;
    bool answers = true;
    std::vector<Access> writes, reads;
};

TEST(PciScanner, ScansTheFixtureMachineInSlotOrder) {
    CPciConfigImage image;
    ASSERT_EQ(16, image.Parse(ReadFixture("machine.pci")));
    CPciImagePort port(image);
    std::vector<PciDeviceRecord> list;
    ASSERT_EQ(14, CPciScanner(&port).Scan(list));
    ASSERT_EQ(14u, list.size());

    struct Expected {
        int bus, device, function, vendor, deviceId, baseClass, subClass, subVendor, subsystem;
    };
    const Expected expected[] = {
        {0, 0, 0, 0x8086, 0x0d57, 0x06, 0x00, 0x0000, 0x0000},
        {0, 1, 0, 0x1af4, 0x1045, 0xff, 0xff, 0x1af4, 0x1045},
        {0, 2, 0, 0x1af4, 0x1042, 0x01, 0x80, 0x1af4, 0x1042},
        {0, 3, 0, 0x1af4, 0x1041, 0x02, 0x00, 0x1af4, 0x1041},
        {0, 4, 0, 0x1af4, 0x1053, 0xff, 0xff, 0x1af4, 0x1053},
        {0, 5, 0, 0x1af4, 0x1044, 0xff, 0xff, 0x1af4, 0x1044},
        {0, 7, 0, 0x8086, 0x7110, 0x06, 0x01, 0x15ad, 0x1976},
        {0, 7, 1, 0x8086, 0x7111, 0x01, 0x01, 0x15ad, 0x1976},
        {0, 7, 2, 0x8086, 0x7112, 0x0c, 0x03, 0x15ad, 0x1976},
        {0, 7, 3, 0x8086, 0x7113, 0x06, 0x80, 0x15ad, 0x1976},
        {0, 8, 0, 0x10ec, 0x8139, 0x02, 0x00, 0x10ec, 0x8139},
        {1, 0, 0, 0x1af4, 0x1041, 0x02, 0x00, 0x1af4, 0x1041},
        {9, 31, 0, 0x10de, 0x0221, 0x03, 0x00, 0x1043, 0x81a8},
        {9, 31, 7, 0x10de, 0x0221, 0x04, 0x03, 0x1043, 0x81a8},
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PciDeviceRecord& r = list[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(e.bus, r.bus);
        EXPECT_EQ(e.device, r.device);
        EXPECT_EQ(e.function, r.function);
        EXPECT_EQ(e.vendor, r.vendorId);
        EXPECT_EQ(e.deviceId, r.deviceId);
        EXPECT_EQ(e.baseClass, r.baseClass);
        EXPECT_EQ(e.subClass, r.subClass);
        EXPECT_EQ(e.subVendor, r.subsystemVendorId);
        EXPECT_EQ(e.subsystem, r.subsystemId);
    }
}

TEST(PciScanner, ConfigurationAddressFollowsMechanismOne) {
    ConstantPort port(0x44332211);
    CPciScanner scanner(&port);
    EXPECT_EQ(0x44332211u, scanner.ReadConfigDword(0x1, 0x2, 0x3, 0x47));
    ASSERT_EQ(1u, port.writes.size());
    EXPECT_EQ(0xCF8u, port.writes[0].port);
    EXPECT_EQ(0x80011344u, port.writes[0].value);
    EXPECT_EQ(4u, port.writes[0].size);
    ASSERT_EQ(1u, port.reads.size());
    EXPECT_EQ(0xCFCu, port.reads[0].port);
    EXPECT_EQ(4u, port.reads[0].size);

    // Out-of-range parts are masked, never spilling into the neighbouring fields.
    scanner.ReadConfigDword(0x1FF, 0x3F, 0xF, 0x1FF);
    EXPECT_EQ(0x80FFFFFCu, port.writes[1].value);
}

TEST(PciScanner, ByteAndWordReadsPickTheirLanes) {
    ConstantPort port(0x44332211);
    CPciScanner scanner(&port);
    const std::uint8_t bytes[] = {0x11, 0x22, 0x33, 0x44};
    for (unsigned off = 0x20; off < 0x24; ++off)
        EXPECT_EQ(bytes[off & 3], scanner.ReadConfigByte(0, 0, 0, off));
    EXPECT_EQ(0x2211, scanner.ReadConfigWord(0, 0, 0, 0x2C));
    EXPECT_EQ(0x2211, scanner.ReadConfigWord(0, 0, 0, 0x2D));
    EXPECT_EQ(0x4433, scanner.ReadConfigWord(0, 0, 0, 0x2E));
    EXPECT_EQ(0x4433, scanner.ReadConfigWord(0, 0, 0, 0x2F));
}

TEST(PciScanner, DegenerateMachines) {
    // No library: nothing is scanned.
    std::vector<PciDeviceRecord> list;
    EXPECT_EQ(0, CPciScanner(nullptr).Scan(list));
    EXPECT_TRUE(list.empty());

    // All ones everywhere: an empty machine still costs one probe per slot.
    ConstantPort empty(0xFFFFFFFF);
    EXPECT_EQ(0, CPciScanner(&empty).Scan(list));
    EXPECT_EQ(320u, empty.writes.size());

    // A library that never fills the value reads as empty, not as stack garbage.
    ConstantPort mute(0);
    mute.answers = false;
    EXPECT_EQ(0, CPciScanner(&mute).Scan(list));

    // Zero everywhere: every slot holds one single-function device of id 0.
    ConstantPort zero(0);
    EXPECT_EQ(320, CPciScanner(&zero).Scan(list));
    ASSERT_EQ(320u, list.size());
    EXPECT_EQ(9, list.back().bus);
    EXPECT_EQ(31, list.back().device);
    EXPECT_EQ(0, list.back().vendorId);

    // Multi-function everywhere: eight functions per slot.
    list.clear();
    ConstantPort all(0x00800000);
    EXPECT_EQ(2560, CPciScanner(&all).Scan(list));
}

TEST(PciConfigImage, SkipsMalformedLinesAndPadsShortOnes) {
    std::string tooLong = "00:07.0";
    for (int i = 0; i < 257; ++i)
        tooLong += " 00";
    CPciConfigImage image;
    EXPECT_EQ(2, image.Parse("# comment\n"
                             "00:01.0 86 80 34 12\n"
                             "00:02.0\r\n"
                             "00:03.0 86 80 xx 12\n" // not hex
                             "00:20.0 86 80\n"       // device beyond 1F
                             "00:04.8 86 80\n"       // function beyond 7
                             "0:05.0 86 80\n"        // short location
                             "00:06.0 186 80\n"      // three digits
                             + tooLong));
    EXPECT_EQ(0x12348086u, image.ReadDword(0, 1, 0, 0));
    EXPECT_EQ(0u, image.ReadDword(0, 1, 0, 0xFC));
    EXPECT_EQ(0u, image.ReadDword(0, 2, 0, 0));
    EXPECT_EQ(0xFFFFFFFFu, image.ReadDword(0, 3, 0, 0));
    EXPECT_EQ(0xFFFFFFFFu, image.ReadDword(0, 9, 0, 0));
}

TEST(PciImagePort, AnswersOnlyEnabledDwordReadsOfTheDataPort) {
    CPciConfigImage image;
    image.Parse("02:03.4 11 22 33 44 55 66 77 88\n");
    CPciImagePort port(image);
    std::uint32_t v = 0;
    port.WritePort(0xCF8, 0x80021C04, 4);
    port.ReadPort(0xCFC, &v, 4);
    EXPECT_EQ(0x88776655u, v);
    port.ReadPort(0xCFC, &v, 2);
    EXPECT_EQ(0xFFFFFFFFu, v);
    port.ReadPort(0x80, &v, 4);
    EXPECT_EQ(0xFFFFFFFFu, v);
    port.WritePort(0xCF8, 0x00021C04, 4); // enable bit clear
    port.ReadPort(0xCFC, &v, 4);
    EXPECT_EQ(0xFFFFFFFFu, v);
    port.ReadPort(0xCFC, nullptr, 4);
}
} // namespace

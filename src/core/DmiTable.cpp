#include "core/DmiTable.h"

#include <cstring>
#include <vector>

namespace {
const std::size_t kEntryPointSize = 16;
const std::size_t kAnchorSlots = 4096;
const std::size_t kHeaderSize = 4; // type, length, handle
const std::uint8_t kEndOfTable = 127;

std::uint32_t Le16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}
std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Reads the string set at `pos` and moves `pos` past it. Returns false when the area ends before
// the set does; the strings completed up to there are kept.
bool ReadStringSet(const std::uint8_t* area, std::size_t size, std::size_t& pos,
                   std::vector<std::string>& strings) {
    strings.clear();
    std::string current;
    while (pos < size) {
        const std::uint8_t c = area[pos++];
        if (c != 0) {
            current.push_back(static_cast<char>(c));
            continue;
        }
        strings.push_back(current);
        current.clear();
        if (pos < size && area[pos] == 0) {
            ++pos;
            return true;
        }
    }
    return false;
}

// The string whose number sits at `offset` of the formatted part; a field the structure is too short
// to hold, number 0 and a number past the set all mean "no string".
std::string StringAt(const std::uint8_t* structure, std::size_t length, std::size_t offset,
                     const std::vector<std::string>& strings) {
    if (offset >= length) return {};
    const std::size_t number = structure[offset];
    if (number == 0 || number > strings.size()) return {};
    return strings[number - 1];
}

void WalkTable(const std::uint8_t* area, std::size_t size, std::size_t pos, std::uint32_t count,
               DmiStrings& found) {
    std::vector<std::string> strings;
    for (std::uint32_t n = 0; n < count; ++n) {
        if (size - pos < kHeaderSize) return;
        const std::uint8_t* structure = area + pos;
        const std::uint8_t type = structure[0];
        const std::size_t length = structure[1];
        // A length shorter than the header cannot be walked past; one running off the area is cut off.
        if (length < kHeaderSize || size - pos < length) return;
        pos += length;
        const bool complete = ReadStringSet(area, size, pos, strings);
        if (type == 0) {
            found.BiosVendor = StringAt(structure, length, 4, strings);
            found.BiosDate = StringAt(structure, length, 8, strings);
        } else if (type == 2) {
            found.BoardProduct = StringAt(structure, length, 5, strings);
        }
        // A count larger than the table must not walk on into whatever follows it.
        if (!complete || type == kEndOfTable) return;
    }
}
} // namespace

bool ParseDmiArea(const std::uint8_t* area, std::size_t size, std::uint32_t base, DmiStrings& out) {
    if (area == nullptr) return false;
    for (std::size_t slot = 0; slot < kAnchorSlots && (slot + 1) * kEntryPointSize <= size; ++slot) {
        const std::uint8_t* entry = area + slot * kEntryPointSize;
        if (std::memcmp(entry, "_DMI_", 5) != 0) continue;
        const std::uint32_t address = Le32(entry + 8);
        const std::uint32_t count = Le16(entry + 12);
        DmiStrings found;
        if (address >= base && address - base < size) WalkTable(area, size, address - base, count, found);
        out = found;
        return true;
    }
    return false;
}

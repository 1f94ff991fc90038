#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The strings the program uses from the BIOS's DMI table.
struct DmiStrings {
    std::string BoardProduct; // type 2, string at offset 5
    std::string BiosVendor;   // type 0, string at offset 4
    std::string BiosDate;     // type 0, string at offset 8
};

// Walks a copy of the 64 KB BIOS area that starts at physical address `base` (0xF0000).
// Returns false when no "_DMI_" anchor is found (`out` is then untouched); otherwise fills `out`
// with what the table holds, an item it lacks being empty. Never reads outside [area, area + size).
bool ParseDmiArea(const std::uint8_t* area, std::size_t size, std::uint32_t base, DmiStrings& out);

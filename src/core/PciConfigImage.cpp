#include "core/PciConfigImage.h"

#include <sstream>

#include "core/TextCompare.h"

namespace {
std::uint32_t Slot(unsigned bus, unsigned device, unsigned function) {
    return (bus & 0xFFu) << 8 | (device & 0x1Fu) << 3 | (function & 0x7u);
}

bool ParseHexByte(const std::string& word, std::uint8_t& out) {
    if (word.empty() || word.size() > 2) return false;
    unsigned value = 0;
    for (char c : word) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    out = static_cast<std::uint8_t>(value);
    return true;
}

// "BB:DD.F" with bus up to FF, device up to 1F, function up to 7.
bool ParseLocation(const std::string& word, std::uint32_t& slot) {
    std::uint8_t bus, device, function;
    if (word.size() != 7 || word[2] != ':' || word[5] != '.') return false;
    if (!ParseHexByte(word.substr(0, 2), bus) || !ParseHexByte(word.substr(3, 2), device) ||
        !ParseHexByte(word.substr(6, 1), function) || device > 0x1F || function > 7)
        return false;
    slot = Slot(bus, device, function);
    return true;
}
} // namespace

int CPciConfigImage::Parse(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int taken = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        std::uint32_t slot;
        if (!(words >> word) || !ParseLocation(word, slot)) continue;
        std::array<std::uint8_t, 256> space{};
        std::size_t n = 0;
        bool good = true;
        while (good && words >> word)
            good = n < space.size() && ParseHexByte(word, space[n++]);
        if (!good) continue;
        m_functions[slot] = space;
        ++taken;
    }
    return taken;
}

std::uint32_t CPciConfigImage::ReadDword(unsigned bus, unsigned device, unsigned function,
                                         unsigned offset) const {
    auto it = m_functions.find(Slot(bus, device, function));
    if (it == m_functions.end()) return 0xFFFFFFFFu;
    const auto& space = it->second;
    std::size_t at = offset & 0xFCu;
    return space[at] | space[at + 1] << 8 | space[at + 2] << 16 |
           static_cast<std::uint32_t>(space[at + 3]) << 24;
}

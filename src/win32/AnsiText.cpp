// The program's conversion of INI texts to UTF-8: the system turns the code page into UTF-16
// (9x can), and UTF-8 is written here (95 has no UTF-8 code page).
#include <windows.h>

#include <vector>

#include "core/JsonText.h"

namespace {
void PutUtf8(unsigned long c, std::string& out) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}
} // namespace

std::string AnsiToUtf8(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::string out;
    if (n <= 0) {
        // A code page this system does not have: each byte as the character of its number.
        for (char b : text)
            PutUtf8(static_cast<unsigned char>(b), out);
        return out;
    }
    std::vector<wchar_t> wide(n);
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
    for (int i = 0; i < n; ++i) {
        unsigned long c = wide[i];
        // A surrogate pair is one character; a lone half is none.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        PutUtf8(c, out);
    }
    return out;
}

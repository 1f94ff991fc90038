// The native tools' conversion of INI texts to UTF-8, by glibc's iconv.
#include <iconv.h>

#include <cerrno>

#include "core/JsonText.h"

std::string AnsiToUtf8(const std::string& text, unsigned codePage) {
    const std::string from = "CP" + std::to_string(codePage == 0 ? 1252 : codePage);
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "CP1252");
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte this code page does not map, or a lead byte at the end.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

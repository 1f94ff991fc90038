#include "win32/AnsiBstr.h"

#include <cwchar>

AnsiBstr::AnsiBstr(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    m_bstr = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (m_bstr != nullptr)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), m_bstr, n);
}

std::string AnsiBstr::Narrow(BSTR text) {
    if (text == nullptr) return {};
    const int length = static_cast<int>(wcsnlen(text, SysStringLen(text)));
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

#include "core/LineSplitter.h"

#include <cstring>
#include <utility>

void CLineSplitter::Feed(const char* chunk, std::size_t size, std::vector<std::string>& lines) {
    if (size == 0) return;
    const char* nul = static_cast<const char*>(std::memchr(chunk, '\0', size));
    if (nul) size = static_cast<std::size_t>(nul - chunk);
    std::size_t pos = 0;
    for (std::size_t lf = pos; lf < size; ++lf) {
        if (chunk[lf] != '\n') continue;
        std::size_t end = lf;
        if (end > pos && chunk[end - 1] == '\r') --end;
        m_strLine.append(chunk + pos, end - pos);
        lines.push_back(std::move(m_strLine));
        m_strLine.clear();
        pos = lf + 1;
    }
    m_strLine.append(chunk + pos, size - pos);
}

bool CLineSplitter::Finish(std::string& rest) {
    if (m_strLine.empty()) return false;
    rest = std::move(m_strLine);
    m_strLine.clear();
    return true;
}

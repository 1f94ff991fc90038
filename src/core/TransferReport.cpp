#include "core/TransferReport.h"

namespace {
const char* Why(CTransferReport::Fault fault) {
    switch (fault) {
    case CTransferReport::Fault::Failed:
        return "the transfer failed";
    case CTransferReport::Fault::Damaged:
        return "damaged or altered on the way; deleted";
    case CTransferReport::Fault::Missing:
        return "listed with a SHA-256 value but not found";
    case CTransferReport::Fault::Refused:
        return "refused: the name leads out of the folder";
    case CTransferReport::Fault::TooLong:
        return "the path is too long";
    case CTransferReport::Fault::NoFolder:
        return "the folder could not be entered";
    }
    return "";
}

// A name as a server sent it, fit for one line of a message box.
std::string Printable(const std::string& path) {
    const std::size_t kMostChars = 80;
    std::string out = path.empty() ? "(no name)" : path.substr(0, kMostChars);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < ' ') c = '?';
    return path.size() > kMostChars ? out + "..." : out;
}
} // namespace

std::string CTransferReport::Message() const {
    switch (m_stop) {
    case Stop::Aborted:
        return {};
    case Stop::TooMany:
        return "The folder holds more than " + std::to_string(m_nEntryLimit) +
               " entries, so the transfer was stopped and nothing was opened.";
    case Stop::NoFolder:
        return "This folder don't exist.";
    case Stop::None:
        break;
    }
    if (m_failed.empty()) return {};
    std::string text = "The transfer did not complete, so nothing of it is opened. These files failed:\r\n";
    for (std::size_t i = 0; i < m_failed.size() && i < kListed; ++i)
        text += "\r\n" + Printable(m_failed[i].path) + ": " + Why(m_failed[i].fault);
    if (m_failed.size() > kListed) text += "\r\nand " + std::to_string(m_failed.size() - kListed) + " more.";
    return text;
}

#include "core/ExecAction.h"

ExecAction ExecActionOf(const std::string& behavior) {
    static const std::pair<const char*, ExecAction> kWords[] = {
        {"Open", ExecAction::Open},        {"Explore", ExecAction::Explore},      {"Link", ExecAction::Link},
        {"FTP_FILE", ExecAction::FtpFile}, {"FTP_FOLDER", ExecAction::FtpFolder},
    };
    for (const auto& w : kWords)
        if (behavior == w.first) return w.second;
    return ExecAction::None;
}

std::string FolderPart(const std::string& file) {
    const std::size_t slash = file.rfind('\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

bool NeedsPdfReader(const std::string& file) {
    if (file.size() < 3) return false;
    const std::string end = file.substr(file.size() - 3);
    return end == "pdf" || end == "PDF";
}

#include "core/ExecAction.h"

#include "core/WordTable.h"

ExecAction ExecActionOf(const std::string& behavior) {
    for (const ActionWord& w : kActionWords)
        if (behavior == w.word) return w.action;
    return ExecAction::None;
}

std::string ActionWordOf(ExecAction action) {
    return WordOf(kActionWords, &ActionWord::action, action);
}

std::string ActionWordList() {
    return WordList(kActionWords);
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

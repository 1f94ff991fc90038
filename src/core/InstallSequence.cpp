#include "core/InstallSequence.h"

#include <cctype>
#include <utility>

namespace {
bool EqualsNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

CInstallSequence::CInstallSequence(Reader read, std::string lang)
    : m_read(std::move(read)), m_strLang(std::move(lang)) {
    m_nStepCount = CountSteps();
}

int CInstallSequence::CountSteps() const {
    int n = 1;
    while (!m_read(StepKey(n) + "." + m_strLang, true, "").empty() || !m_read(StepKey(n), true, "").empty())
        ++n;
    return n - 1;
}

CInstallSequence::Action CInstallSequence::StartStep(int n) {
    m_nStep = n;
    m_bBusy = true;
    Action action;
    std::string value = m_read(StepKey(n) + "." + m_strLang, false, "");
    if (value.empty()) value = m_read(StepKey(n), true, "");
    if (value.empty()) {
        m_bBusy = false;
        const std::string restart = m_read("RestartWhenFinish", true, "YES");
        action.kind = Action::Kind::Finish;
        action.restart = EqualsNoCase(restart, "YES")  ? Action::Restart::Yes
                         : EqualsNoCase(restart, "NO") ? Action::Restart::No
                                                       : Action::Restart::Other;
        return action;
    }
    if (EqualsNoCase(value, "Reboot")) {
        action.kind = Action::Kind::Reboot;
        return action;
    }
    if (m_bCancelled) return action;
    std::size_t comma = value.find(',');
    if (comma != std::string::npos) {
        m_strLabel = Trim(value.substr(comma + 1));
        value.erase(comma);
    }
    action.kind = Action::Kind::Run;
    action.command = std::move(value);
    action.progress =
        "Installing " + m_strLabel + " ... " + std::to_string(n) + " / " + std::to_string(m_nStepCount);
    return action;
}

CInstallSequence::Action CInstallSequence::OnFinished(unsigned error) {
    if (error != 0) {
        m_bFailed = true;
        Action failed;
        failed.kind = Action::Kind::Failed;
        return failed;
    }
    if (m_bCancelled) return {};
    return StartStep(m_nStep + 1);
}

int CInstallSequence::TakeResumeStep(bool currentStarted) {
    if (!m_bBusy || m_bFailed || m_bResumeRecorded) return 0;
    m_bResumeRecorded = true;
    return currentStarted ? m_nStep + 1 : m_nStep;
}

std::string CInstallSequence::WorkingFolder(const std::string& command,
                                            const std::function<bool(const std::string&)>& isFolder) {
    std::string folder = FolderOf(command);
    if (folder.empty() || isFolder(folder)) return folder;
    folder = FolderOf(ProgramOf(command));
    return !folder.empty() && isFolder(folder) ? folder : std::string();
}

std::string CInstallSequence::ProgramOf(const std::string& command) {
    std::size_t begin = command.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    if (command[begin] == '"') {
        std::size_t close = command.find('"', begin + 1);
        return command.substr(begin + 1, close == std::string::npos ? std::string::npos : close - begin - 1);
    }
    return command.substr(begin, command.find_first_of(" \t", begin) - begin);
}

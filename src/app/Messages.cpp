#include "app/Messages.h"

namespace {
struct Box {
    const char* caption; // nullptr: the system's "Error"
    UINT icon;
};

Box BoxOf(Message message) {
    switch (message) {
    case Message::DumpNotWritten:
        return {"Autorun", MB_ICONERROR};
    case Message::FileNotFound:
    case Message::FileInvalidPath:
    case Message::FileAccessDenied:
    case Message::FileUnexpected:
        return {"Autorun", MB_ICONEXCLAMATION};
    case Message::AcrobatMissing:
        return {"File Open Error", 0};
    case Message::OleInitFailed:
    case Message::ComSecurityFailed:
    case Message::WmiFailed:
        return {nullptr, 0};
    default:
        return {"Autorun", 0};
    }
}
} // namespace

std::string MessageText(Message message, const std::string& detail) {
    switch (message) {
    case Message::NotAdministrator:
        return "You must login as administrator to install the driver!!!";
    case Message::DumpWritten:
        return "Complete writeing ini file";
    case Message::DumpNotWritten:
        return "Cannot write ini file " + detail;
    case Message::FileNotFound:
        return detail + " was not found.";
    case Message::FileInvalidPath:
        return detail + " contains an invalid path.";
    case Message::FileAccessDenied:
        return "Access to " + detail + " was denied.";
    case Message::FileUnexpected:
        return "An unexpected error occurred while accessing " + detail + ".";
    case Message::SystemError:
    case Message::WmiFailed:
        return detail;
    case Message::RebootNow:
        return "The system need to reboot now, please make sure\n installation CD is in the CD-ROM when "
               "booting up";
    case Message::InstallCompleteReboot:
        return "Installation complete, Please click OK to reboot";
    case Message::ResumeStepMissing:
        return "Cannot continue the installation: " + detail + " was not found.";
    case Message::NoAutomaticResume:
        return "The installation cannot continue by itself after the restart: the place to go on from "
               "could not be recorded. After the restart, start the installation again from the CD.\n\n"
               "Restart now?";
    case Message::AcrobatMissing:
        return "Please install Acrobat Reader first!";
    case Message::RestartNoToken:
        return "OpenProcessToken Failed";
    case Message::RestartNoPrivilege:
        return "AdjustTokenPrivileges Failed";
    case Message::RestartFailed:
        return "Failed to reboot";
    case Message::OleInitFailed:
        return "Failed to initialize OLE";
    case Message::ComSecurityFailed:
        return "Failed to fix security";
    case Message::FtpFileMissing:
        return "This file doesn't exist.";
    case Message::FtpAborted:
        return "Operation aborts";
    case Message::FtpNoOperation:
        return "The Type of operation is not defined";
    case Message::FtpFailed:
        return detail;
    }
    return detail;
}

namespace {
MessageSink g_sink = nullptr;
} // namespace

void SendMessagesTo(MessageSink sink) {
    g_sink = sink;
}

void ShowMessage(Message message, const std::string& detail, HWND owner) {
    if (g_sink) return g_sink(MessageText(message, detail));
    const Box box = BoxOf(message);
    MessageBoxA(owner, MessageText(message, detail).c_str(), box.caption, MB_OK | box.icon);
}

bool AskMessage(Message message, const std::string& detail, HWND owner) {
    if (g_sink) {
        g_sink(MessageText(message, detail) + " (answered No)");
        return false;
    }
    const Box box = BoxOf(message);
    return MessageBoxA(owner, MessageText(message, detail).c_str(), box.caption,
                       MB_YESNO | MB_ICONQUESTION | box.icon) == IDYES;
}

void ShowWmiFailure(const WmiFailure& failure) {
    switch (failure.kind) {
    case WmiFailure::Kind::ComInit:
        return ShowMessage(Message::OleInitFailed);
    case WmiFailure::Kind::Security:
        return ShowMessage(Message::ComSecurityFailed);
    case WmiFailure::Kind::Enumerate:
        return ShowMessage(Message::WmiFailed, CWMIQuery::ErrorName(failure.code));
    }
}

Message FileErrorMessage(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return Message::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return Message::FileInvalidPath;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return Message::FileAccessDenied;
    default:
        return Message::FileUnexpected;
    }
}

std::string SystemErrorText(DWORD error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                   sizeof(text), nullptr);
    const std::string line = text;
    return line.substr(0, line.find_first_of("\r\n"));
}

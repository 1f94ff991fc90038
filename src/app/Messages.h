#pragma once
#include <windows.h>

#include <string>

#include "win32/WMIQuery.h"

// Every message box the program shows, with its text spelled as users of the program have always
// read it. The layers below report failures as values; this is the one place where they become words.
enum class Message {
    NotAdministrator,
    DumpWritten,
    DumpNotWritten,   // detail: the dump file
    FileNotFound,     // detail: the file
    FileInvalidPath,  // detail: the file
    FileAccessDenied, // detail: the file
    FileUnexpected,   // detail: the file
    SystemError,      // detail: the system's words for the error
    RebootNow,
    InstallCompleteReboot,
    ResumeStepMissing, // detail: which step of which section of which file
    NoAutomaticResume,
    AcrobatMissing,
    RestartNoToken,
    RestartNoPrivilege,
    RestartFailed,
    OleInitFailed,
    ComSecurityFailed,
    WmiFailed, // detail: the name of the WMI error
    FtpFileMissing,
    FtpAborted,
    FtpNoOperation,
    FtpFailed, // detail: what the connection or the transfer reported
};

// The text of a message, with its detail where it has one.
std::string MessageText(Message message, const std::string& detail = std::string());
// While a run shows no window, every message goes to `sink` instead of a box (and every question is
// answered No); null gives the boxes back.
using MessageSink = void (*)(const std::string& text);
void SendMessagesTo(MessageSink sink);
// Shows the message in a box with an OK button; `owner` may be null.
void ShowMessage(Message message, const std::string& detail = std::string(), HWND owner = nullptr);
// Asks with Yes and No; true for Yes.
bool AskMessage(Message message, const std::string& detail = std::string(), HWND owner = nullptr);

// Tells the user of a failed WMI query.
void ShowWmiFailure(const WmiFailure& failure);
// The message for a file that could not be opened, by the error GetLastError gave.
Message FileErrorMessage(DWORD error);
// The system's words for an error, first line only.
std::string SystemErrorText(DWORD error);

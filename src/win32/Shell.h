#pragma once
#include <windows.h>

#include <string>

// Opens a file, folder or address with the program associated with it, as a double click would.
// The shell's result: above 32 on success, SE_ERR_NOASSOC when nothing is associated.
HINSTANCE ShellOpen(const std::string& target);
// Opens a web address maximised, without the shell's own error boxes.
void OpenLink(const std::string& address);

#pragma once
#include <string>

class CIniFile;

// The start window's decisions: whether Root.ini asks for one, which page it shows, and which
// addresses the page may use to talk to the program instead of the browser.

// Root.ini's StartWindow, "Normal" when it has none.
std::string ReadStartWindow(const CIniFile& root);

// "Normal" in any case keeps the wait window; any other StartWindow value is a page address.
bool WantsStartWindow(const std::string& startWindow);

// The StartWindow value with every "<Path>" (exact case) replaced by the program folder.
std::string StartPageAddress(const std::string& startWindow, const std::string& path);

// True for an "app:" address (any case): the program's command, not a page. `command` is the
// text after "app:".
bool IsAppAddress(const std::string& address, std::string& command);

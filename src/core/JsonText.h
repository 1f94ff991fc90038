#pragma once
#include <string>

// INI texts are 8-bit ANSI of some Windows code page; JSON is UTF-8.

// The UTF-8 of `text`, written in the Windows code page `codePage` (0: this system's ANSI code page).
// A byte the code page does not map becomes U+FFFD. Each platform defines it: Windows asks the
// system, the native build iconv.
std::string AnsiToUtf8(const std::string& text, unsigned codePage);

// The ANSI code page of a Windows in the language `lang` (a Lang code: CHT gives 950); 1252, the
// Western one, for any other.
unsigned AnsiCodePageOf(const std::string& lang);

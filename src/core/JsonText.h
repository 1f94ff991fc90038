#pragma once
#include <string>

// `text` as a JSON string literal. INI texts are 8-bit ANSI of some code page: every byte above 0x7F
// stands for the character of the same number, so the JSON is valid and gives each byte back.
std::string JsonQuote(const std::string& text);

#pragma once
#include <string>

// Equal when they differ at most in the case of ASCII letters, as INI words are compared.
bool EqualsNoCase(const std::string& a, const std::string& b);

// The value of a hexadecimal digit of either case, or -1 for any other character.
int HexDigit(char c);

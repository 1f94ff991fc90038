#pragma once
#include <cstddef>

class ProfileText;

// What the profile calls answer for a file of this text, as kernel32 (as Wine implements it) does:
// a value wholly in matching quotes loses them, lines starting with ";" are keys that section lists
// leave out, and texts are cut to the caller's buffer as the calls cut them.
namespace ProfileAnswers {
std::size_t String(const ProfileText& profile, const char* section, const char* key, const char* def,
                   char* buf, std::size_t size);
unsigned Int(const ProfileText& profile, const char* section, const char* key, int def);
std::size_t Section(const ProfileText& profile, const char* section, char* buf, std::size_t size);
std::size_t SectionNames(const ProfileText& profile, char* buf, std::size_t size);
} // namespace ProfileAnswers
